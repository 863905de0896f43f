#include "templates/png/png_decoder.h"

#include <string>

#include "templates/png/png_chunks.h"
#include "templates/png/png_gamma.h"
#include "templates/png/png_image_data.h"

namespace veilix {
namespace {

void RequireTruecolour8(const PngHeader& header) {
    if (header.colour_type != 2 || header.bit_depth != 8) {
        throw PngDecodeError("unsupported format: colour type " + std::to_string(header.colour_type) + ", bit depth " +
                             std::to_string(header.bit_depth) + " (only 8-bit truecolour is decoded)");
    }
    if (header.interlace != 0) throw PngDecodeError("unsupported format: interlaced image");
}

void RequireWithinLimit(const PngHeader& header, std::uint64_t max_pixel_bytes) {
    // At most 65535 x 65535 x 3, far from overflowing 64 bits.
    const std::uint64_t bytes = std::uint64_t{header.width} * header.height * 3;
    if (bytes > max_pixel_bytes) {
        throw PngDecodeError("image of " + std::to_string(header.width) + " x " + std::to_string(header.height) +
                             " pixels (" + std::to_string(bytes) + " bytes) exceeds the decode limit of " +
                             std::to_string(max_pixel_bytes) + " bytes in chunk IHDR");
    }
}

}  // namespace

TemplatePicture DecodePng(std::span<const std::uint8_t> stream, const PngDecodeOptions& options) {
    const PngLayout layout = ReadPngChunks(stream);
    RequireTruecolour8(layout.header);
    RequireWithinLimit(layout.header, options.max_pixel_bytes);
    TemplatePicture picture;
    picture.width = static_cast<int>(layout.header.width);
    picture.height = static_cast<int>(layout.header.height);
    picture.rgb = ReadRgbRows(layout);
    if (const auto table = GammaTableFor(layout.gamma)) ApplyGamma(*table, picture.rgb);
    return picture;
}

}  // namespace veilix
