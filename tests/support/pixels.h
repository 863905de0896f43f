#pragma once
// Reading back what was drawn: the colour of one pixel of an image, as the
// program's own colour value.
#include <QImage>

#include <cstdint>

#include "platform/core/types.h"

namespace veilix::testing {

inline TColor ColourAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGBColor(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p)));
}

}  // namespace veilix::testing
