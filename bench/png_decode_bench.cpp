// Decoding speed of our PNG decoder against libpng on the three templates
// and a generated 4000 x 4000 truecolour image. Both decoders must give the
// same bytes before anything is timed; the run ends with one ratio line per
// image, ours / libpng in real and in CPU time (below 1.0: ours is faster).
// On a busy machine the CPU-time ratio is the steadier of the two.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Image {
    std::string name;
    Bytes png;
};

struct MemoryReader {
    std::span<const std::uint8_t> data;
    std::size_t pos = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t size) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (size > reader->data.size() - reader->pos) png_error(png, "read past the end");
    std::memcpy(out, reader->data.data() + reader->pos, size);
    reader->pos += size;
}

// libpng's classic API without transformations: 8-bit RGB rows, no gamma.
Bytes LibpngDecode(std::span<const std::uint8_t> stream) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes rgb;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fprintf(stderr, "libpng failed to decode\n");
        std::abort();
    }
    MemoryReader reader{stream};
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB || png_get_bit_depth(png, info) != 8) std::abort();
    rgb.resize(std::size_t{width} * height * 3);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = rgb.data() + std::size_t{y} * width * 3;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return rgb;
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

// Photo-like content: smooth gradients and waves with a little noise.
Bytes SyntheticPicture(int width, int height) {
    Bytes rgb(std::size_t(width) * height * 3);
    std::uint32_t seed = 2024;
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>(seed >> 28) - 8;
            const double wave = 40 * std::sin(x / 97.0) + 30 * std::cos(y / 53.0) + 20 * std::sin((x + y) / 211.0);
            const int base[3] = {60 + 150 * x / width, 90 + 100 * y / height, 160 - 120 * (x + y) / (width + height)};
            for (int c = 0; c < 3; ++c) {
                const int v = base[c] + static_cast<int>(wave * (c + 1) / 3) + noise;
                rgb[i++] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
            }
        }
    }
    return rgb;
}

// libpng's writer with its default adaptive filters and compression, no gAMA.
Bytes EncodeWithLibpng(const Bytes& rgb, int width, int height) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes out;
    if (setjmp(png_jmpbuf(png))) std::abort();
    png_set_write_fn(png, &out, WriteToMemory, nullptr);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, rgb.data() + std::size_t(y) * width * 3);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<Image> Images() {
    auto bytes = [](std::span<const std::uint8_t> s) { return Bytes(s.begin(), s.end()); };
    constexpr int kSide = 4000;
    return {
        {"rectangle", bytes(veilix::RectangleTemplatePng())},
        {"ellipse", bytes(veilix::EllipseTemplatePng())},
        {"circle", bytes(veilix::CircleTemplatePng())},
        {"photo4000", EncodeWithLibpng(SyntheticPicture(kSide, kSide), kSide, kSide)},
    };
}

// Console output as usual, plus each run's real time kept for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            // With repetitions the median stands for the benchmark, else its one run.
            if (run.run_type == Run::RT_Iteration && !times_.contains(run.run_name.str())) {
                times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                times_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios(const std::vector<Image>& images) const {
        for (const Image& image : images) {
            const auto ours = times_.find("decode/" + image.name + "/veilix");
            const auto theirs = times_.find("decode/" + image.name + "/libpng");
            if (ours == times_.end() || theirs == times_.end()) continue;
            std::printf("ratio veilix/libpng %-10s real %.3f  cpu %.3f\n", image.name.c_str(),
                        ours->second.real / theirs->second.real, ours->second.cpu / theirs->second.cpu);
        }
    }

private:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const std::vector<Image> images = Images();
    for (const Image& image : images) {
        if (veilix::DecodePng(image.png).rgb != LibpngDecode(image.png)) {
            std::fprintf(stderr, "%s: our decoder and libpng disagree\n", image.name.c_str());
            return 1;
        }
    }
    for (const Image& image : images) {
        const std::span<const std::uint8_t> png = image.png;
        const auto pixels = static_cast<std::int64_t>(veilix::DecodePng(png).rgb.size() / 3);
        benchmark::RegisterBenchmark(("decode/" + image.name + "/veilix").c_str(), [png,
                                                                                    pixels](benchmark::State& state) {
            for (auto _ : state) benchmark::DoNotOptimize(veilix::DecodePng(png));
            state.SetItemsProcessed(state.iterations() * pixels);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("decode/" + image.name + "/libpng").c_str(), [png,
                                                                                    pixels](benchmark::State& state) {
            for (auto _ : state) benchmark::DoNotOptimize(LibpngDecode(png));
            state.SetItemsProcessed(state.iterations() * pixels);
        })->Unit(benchmark::kMicrosecond);
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(images);
    benchmark::Shutdown();
    return 0;
}
