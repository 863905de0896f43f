#pragma once
// The image data of a PNG stream turned into rows of pixels.

#include <cstdint>
#include <vector>

#include "templates/png/png_chunks.h"

namespace veilix {

// Inflates and unfilters the image data of an 8-bit truecolour,
// non-interlaced image: 3 * width * height bytes, rows from the top. Rows are
// unfiltered as the image data yields them and the result grows with them, so
// a stream that fails early costs little memory whatever its header claims.
std::vector<std::uint8_t> ReadRgbRows(const PngLayout& layout);

}  // namespace veilix
