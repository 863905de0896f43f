// What hostile streams cost: a header may claim up to 65535 x 65535 pixels
// (12.9 GB) in front of data that cannot deliver them. The decoder must fail
// with memory that follows the data, and refuse pictures over its limit
// before reading any data at all. Peak memory is measured in a forked child.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>
#include <string>

#include "support/png_test_builder.h"
#include "templates/png/png_decoder.h"

namespace veilix::test {
namespace {

constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();
constexpr long kMiB = 1024;  // in the kibibytes ru_maxrss counts

struct ChildRun {
    std::string text;
    long peak_kib = 0;
};

// Runs `work` in a forked child; returns the text it returned and the
// child's peak resident memory. The child starts with the parent's pages, so
// only the difference between two such runs means anything.
template <typename Work>
ChildRun RunInChild(Work work) {
    int fds[2];
    if (pipe(fds) != 0) return {"pipe failed"};
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return {"fork failed"};
    }
    if (pid == 0) {
        close(fds[0]);
        const std::string text = work();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const std::string report = std::to_string(usage.ru_maxrss) + " " + text;
        for (std::size_t done = 0; done < report.size();) {
            const ssize_t n = write(fds[1], report.data() + done, report.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        std::_Exit(0);
    }
    close(fds[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {"child died: " + report};
    const std::size_t space = report.find(' ');
    if (space == std::string::npos) return {"child reported nothing"};
    return {report.substr(space + 1), std::stol(report.substr(0, space))};
}

struct Decoded {
    std::string outcome;  // "decoded", "decoded other bytes" or the error message
    long extra_kib = 0;   // peak memory beyond that of a child that decodes nothing
};

// Sanitizers inflate memory; measuring against an idle child forked from the
// same state keeps the bounds below meaningful with AddressSanitizer too.
Decoded DecodeInChild(const Bytes& stream, std::uint64_t max_pixel_bytes, const Bytes& expected = {}) {
    const ChildRun idle = RunInChild([] { return std::string("idle"); });
    const ChildRun run = RunInChild([&]() -> std::string {
        try {
            return DecodePng(stream, {.max_pixel_bytes = max_pixel_bytes}).rgb == expected ? "decoded"
                                                                                           : "decoded other bytes";
        } catch (const PngDecodeError& e) {
            return e.what();
        } catch (const std::exception& e) {
            return std::string("other exception: ") + e.what();
        }
    });
    return {run.text, run.peak_kib - idle.peak_kib};
}

Bytes Png(std::uint32_t width, std::uint32_t height, const Bytes& image_data) {
    return Stream({Chunk("IHDR", HeaderData({width, height})), Chunk("IDAT", image_data), Chunk("IEND", {})});
}

// `rows` rows of noise with filter None, stored uncompressed so the stream
// is as long as it inflates, then cut to `keep` bytes.
Bytes CutStoredRows(std::uint32_t width, int rows, std::size_t keep) {
    Bytes raw;
    const Bytes row = Noise(std::size_t{3} * width);
    for (int y = 0; y < rows; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    Bytes zlib = Zlib(raw, 0);
    zlib.resize(keep);
    return zlib;
}

struct HostileCase {
    const char* name;
    Bytes stream;
    std::uint64_t max_pixel_bytes;
    const char* message;
};

// Every image data stream is long enough for the picture it claims by
// deflate's best ratio (1032), so only inflating it can tell it fails.
std::vector<HostileCase> HostileCases() {
    return {
        {"65535 x 65535 of noise, not zlib, no limit", Png(65535, 65535, Noise(12'500'000)), kNoLimit,
         "inflating IDAT failed: incorrect header check"},
        {"65535 x 65535 of stored rows cut after 64 of them, no limit",
         Png(65535, 65535, CutStoredRows(65535, 70, 12'600'000)), kNoLimit,
         "image data ends before the image is complete in IDAT"},
        {"9000 x 9000 of noise, not zlib, default limit", Png(9000, 9000, Noise(240'000)), kDefaultMaxPixelBytes,
         "inflating IDAT failed: incorrect header check"},
        {"9000 x 9000 of stored rows cut after 9 of them, default limit",
         Png(9000, 9000, CutStoredRows(9000, 10, 250'000)), kDefaultMaxPixelBytes,
         "image data ends before the image is complete in IDAT"},
        {"zlib bomb: 65535 x 65535 of zero rows at level 9, default limit",
         Png(65535, 65535, ZlibOfZeros(std::uint64_t{65535} * (3 * 65535 + 1))), kDefaultMaxPixelBytes,
         "image of 65535 x 65535 pixels (12884508675 bytes) exceeds the decode limit of 268435456 bytes"},
    };
}

// The old decoder allocated the whole claimed picture first: 243 MB to
// 12.9 GB for these.
TEST(PngDecoderHostileStreams, FailWithTheirReasonAndLittleMemory) {
    constexpr long kBound = 48 * kMiB;
    for (const HostileCase& c : HostileCases()) {
        SCOPED_TRACE(c.name);
        const Decoded d = DecodeInChild(c.stream, c.max_pixel_bytes);
        EXPECT_NE(d.outcome.find(c.message), std::string::npos) << d.outcome;
        EXPECT_LT(d.extra_kib, kBound);
    }
}

TEST(PngDecoderHostileStreams, TheBombIsAboutAThousandToOne) {
    const Bytes bomb = ZlibOfZeros(std::uint64_t{65535} * (3 * 65535 + 1));
    EXPECT_GT(bomb.size(), 12'000'000u);
    EXPECT_LT(bomb.size(), 13'000'000u);
}

// The bomb's way of building: repeated pieces and a remainder make a valid
// stream, here of 2000 x 2000 zero pixels (12 MB, three pieces and a rest).
TEST(PngDecoderHostileStreams, AZeroRowStreamBuiltLikeTheBombDecodes) {
    constexpr int w = 2000, h = 2000;
    const Bytes stream = Png(w, h, ZlibOfZeros(std::uint64_t{h} * (3 * w + 1)));
    const TemplatePicture p = DecodePng(stream);
    EXPECT_EQ(p.rgb, Bytes(std::size_t{3} * w * h, 0));
}

// Smooth content with every filter type, so rows cross band and storage
// growth boundaries with each filter reading the row above.
Bytes SmoothRgb(int width, int height) {
    Bytes rgb(std::size_t{3} * width * height);
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rgb[i++] = static_cast<std::uint8_t>(x / 16 + y / 8);
            rgb[i++] = static_cast<std::uint8_t>((x ^ y) & 0x3f);
            rgb[i++] = static_cast<std::uint8_t>(y / 16 * 3 + (x * 7 + y) % 5);
        }
    }
    return rgb;
}

TEST(PngDecoderHostileStreams, ALargePictureUnderTheLimitDecodesInLittleMoreThanItsSize) {
    constexpr int w = 4000, h = 4000;
    const Bytes rgb = SmoothRgb(w, h);
    const Bytes stream = Png(w, h, Zlib(FilterRows(rgb, w, h, [](int y) { return y % 5; }), 1));
    const Decoded d = DecodeInChild(stream, kDefaultMaxPixelBytes, rgb);
    EXPECT_EQ(d.outcome, "decoded");
    // Holding the whole inflated data, or a second picture, would need about twice.
    EXPECT_LT(d.extra_kib, static_cast<long>(rgb.size() * 3 / 2 / 1024));
}

TEST(PngDecodeLimit, APictureOfExactlyTheLimitDecodesAndOneByteLessRefusesIt) {
    constexpr int w = 7, h = 5;
    const Bytes rgb = PatternRgb(w, h);
    const Bytes stream = TruecolourPng(rgb, w, h, 4);
    EXPECT_EQ(DecodePng(stream, {.max_pixel_bytes = 3 * w * h}).rgb, rgb);
    try {
        DecodePng(stream, {.max_pixel_bytes = 3 * w * h - 1});
        ADD_FAILURE() << "decoded";
    } catch (const PngDecodeError& e) {
        EXPECT_STREQ(e.what(), "image of 7 x 5 pixels (105 bytes) exceeds the decode limit of 104 bytes in chunk IHDR");
    }
}

}  // namespace
}  // namespace veilix::test
