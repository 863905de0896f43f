#pragma once
// What the tests of the stencil window's painted popup menu share: the system
// colours they fix before the window is built (its painter derives the palette
// once, at construction), and the colour of a pixel read back from the menu.
#include <QImage>

#include <cstdint>

#include "platform/core/colors.h"

namespace veilix::gui {

inline constexpr TColor kFace = RGBColor(236, 233, 216);
inline constexpr TColor kHighlight = RGBColor(49, 106, 197);
inline constexpr TColor kShadow = RGBColor(172, 168, 153);

// Every entry not set here is a grey none of the painter's rules produce.
inline SystemColorTable MenuSystemColours() {
    SystemColorTable table{};
    table.fill(RGBColor(90, 90, 90));
    table[7] = RGBColor(0, 0, 0);
    table[13] = kHighlight;
    table[15] = kFace;
    table[16] = kShadow;
    return table;
}

inline TColor At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return RGBColor(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p)));
}

}  // namespace veilix::gui
