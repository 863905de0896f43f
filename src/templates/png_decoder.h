#pragma once

#include <cstdint>
#include <span>

#include "png_decode_error.h"
#include "template_picture.h"

namespace veilix {

// Decodes an 8-bit truecolour, non-interlaced PNG stream. Any other format,
// and every malformed stream, throws PngDecodeError.
TemplatePicture DecodePng(std::span<const std::uint8_t> stream);

}  // namespace veilix
