// Feeds arbitrary bytes to the PNG decoder. A stream may decode or be
// rejected with PngDecodeError; anything else (another exception, a crash,
// a sanitizer report, a leak, a huge allocation) is a finding.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "templates/png/png_decoder.h"

namespace {

void Decode(std::span<const std::uint8_t> stream) {
    try {
        const veilix::TemplatePicture picture = veilix::DecodePng(stream);
        const std::size_t expected = static_cast<std::size_t>(picture.width) * picture.height * 3;
        if (picture.width <= 0 || picture.height <= 0 || picture.rgb.size() != expected) std::abort();
    } catch (const veilix::PngDecodeError&) {
    }
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// A copy with every complete chunk's check value made right, so mutations
// reach the header and image data instead of stopping at the check value.
std::vector<std::uint8_t> WithCheckValuesFixed(std::span<const std::uint8_t> in) {
    std::vector<std::uint8_t> out(in.begin(), in.end());
    for (std::size_t pos = 8; out.size() >= 12 && pos <= out.size() - 12;) {
        const std::uint32_t length = BigEndian32(&out[pos]);
        if (length > out.size() - 12 - pos) break;
        const auto crc = static_cast<std::uint32_t>(crc32(0, &out[pos + 4], length + 4));
        for (int i = 0; i < 4; ++i) out[pos + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        pos += 12 + std::size_t{length};
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> stream(data, size);
    Decode(stream);
    Decode(WithCheckValuesFixed(stream));
    return 0;
}
