#pragma once
// Reading back what was drawn: the colour of one pixel of an image, as the
// program's own colour value.
#include <QImage>

#include "platform/graphics/qt_conversions.h"

namespace veilix::testing {

inline TColor ColourAt(const QImage& image, int x, int y) { return FromQRgb(image.pixel(x, y)); }

}  // namespace veilix::testing
