#include "png_decoder.h"

#include <string>

#include "png_chunks.h"
#include "png_gamma.h"
#include "png_image_data.h"

namespace veilix {
namespace {

void RequireTruecolour8(const PngHeader& header) {
  if (header.colour_type != 2 || header.bit_depth != 8) {
    throw PngDecodeError("unsupported format: colour type " + std::to_string(header.colour_type) +
                         ", bit depth " + std::to_string(header.bit_depth) +
                         " (only 8-bit truecolour is decoded)");
  }
  if (header.interlace != 0) throw PngDecodeError("unsupported format: interlaced image");
}

}  // namespace

TemplatePicture DecodePng(std::span<const std::uint8_t> stream) {
  const PngLayout layout = ReadPngChunks(stream);
  RequireTruecolour8(layout.header);
  TemplatePicture picture;
  picture.width = static_cast<int>(layout.header.width);
  picture.height = static_cast<int>(layout.header.height);
  picture.rgb = ReadRgbRows(layout);
  if (const auto table = GammaTableFor(layout.gamma)) ApplyGamma(*table, picture.rgb);
  return picture;
}

}  // namespace veilix
