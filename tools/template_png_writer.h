#pragma once

#include <cstdint>
#include <vector>

#include "templates/png/template_picture.h"

namespace veilix {

// Writes a template as the program stores it: 8-bit truecolour, not
// interlaced, chunks IHDR, [sRGB,] gAMA 45455, pHYs, tEXt "Software", one
// IDAT with every row Sub-filtered, IEND. Deflate settings are fixed, so the
// same picture always gives the same bytes.
std::vector<std::uint8_t> WriteTemplatePng(const TemplatePicture& picture, bool with_srgb);

}  // namespace veilix
