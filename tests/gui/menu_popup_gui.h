#pragma once
// What the tests of the stencil window's painted popup menu share: the colour
// of a pixel read back from the menu.
#include <QImage>

#include <cstdint>

#include "platform/core/colors.h"

namespace veilix::gui {

inline TColor At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGBColor(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p)));
}

}  // namespace veilix::gui
