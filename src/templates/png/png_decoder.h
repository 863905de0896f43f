#pragma once
// Our PNG decoder: the shape templates' format (8-bit truecolour, not
// interlaced), with a limit on what a header may claim.

#include <cstdint>
#include <span>

#include "templates/png/png_decode_error.h"
#include "templates/png/template_picture.h"

namespace veilix {

// The templates need 30 to 60 KB of pixels. 256 MiB still takes a 9000 x 9000
// picture, more than twice an 8K screen, and is harmless on any desktop,
// while a header alone may claim 65535 x 65535 pixels, 12.9 GB.
inline constexpr std::uint64_t kDefaultMaxPixelBytes = std::uint64_t{256} << 20;

struct PngDecodeOptions {
    // Pictures whose pixels (3 bytes each) would take more are refused from
    // the header, before any image data is read.
    std::uint64_t max_pixel_bytes = kDefaultMaxPixelBytes;
};

// Decodes an 8-bit truecolour, non-interlaced PNG stream. Any other format,
// a picture over the limit and every malformed stream throw PngDecodeError.
// Memory grows with the rows the image data actually yields, not with the
// size the header claims.
TemplatePicture DecodePng(std::span<const std::uint8_t> stream, const PngDecodeOptions& options = {});

}  // namespace veilix
