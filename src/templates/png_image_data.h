#pragma once

#include <cstdint>
#include <vector>

#include "png_chunks.h"

namespace veilix {

// Inflates and unfilters the image data of an 8-bit truecolour,
// non-interlaced image: 3 * width * height bytes, rows from the top.
std::vector<std::uint8_t> ReadRgbRows(const PngLayout& layout);

}  // namespace veilix
