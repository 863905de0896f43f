// veilix-pngcheck [--max-pixel-bytes N] FILE...: decodes each file with the
// template decoder and prints one line a file, "OK <width>x<height> <sha256
// of the RGB bytes>" or "ERROR <reason>". Pictures over N bytes of pixels
// (3 a pixel; the decoder's default limit without the option) are refused.
// Exits 1 when any file failed, 2 on a usage error.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sha256.h"
#include "templates/png/png_decoder.h"

namespace {

std::optional<std::vector<std::uint8_t>> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    try {
        // A directory opens but fails on the first read, with an exception.
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

// Prints the file's line; returns whether it decoded.
bool Check(const char* path, const veilix::PngDecodeOptions& options) {
    const auto bytes = ReadFile(path);
    if (!bytes) {
        std::printf("ERROR cannot read %s\n", path);
        return false;
    }
    try {
        const veilix::TemplatePicture picture = veilix::DecodePng(*bytes, options);
        std::printf("OK %dx%d %s\n", picture.width, picture.height, veilix::Sha256Hex(picture.rgb).c_str());
        return true;
    } catch (const veilix::PngDecodeError& e) {
        std::printf("ERROR %s\n", e.what());
        return false;
    }
}

// A whole positive decimal number, nothing else.
std::optional<std::uint64_t> ParseByteCount(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0) return std::nullopt;
    return value;
}

int Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--max-pixel-bytes N] FILE...\n"
                 "  --max-pixel-bytes N  refuse pictures over N bytes of pixels, 3 a pixel (default %llu)\n",
                 program, static_cast<unsigned long long>(veilix::kDefaultMaxPixelBytes));
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    veilix::PngDecodeOptions options;
    int first_file = 1;
    for (; first_file < argc && std::strncmp(argv[first_file], "--", 2) == 0; ++first_file) {
        const std::string_view option = argv[first_file];
        if (option == "--") {
            ++first_file;
            break;
        }
        if (option != "--max-pixel-bytes" || first_file + 1 >= argc) return Usage(argv[0]);
        const auto limit = ParseByteCount(argv[++first_file]);
        if (!limit) return Usage(argv[0]);
        options.max_pixel_bytes = *limit;
    }
    if (first_file >= argc) return Usage(argv[0]);
    bool all_ok = true;
    for (int i = first_file; i < argc; ++i) all_ok = Check(argv[i], options) && all_ok;
    return all_ok ? 0 : 1;
}
