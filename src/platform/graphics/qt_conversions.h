#pragma once
// Between the framework's plain values and Qt's: colours and rectangles. The
// one place these bridges are written.
#include <cstdint>

#include <QColor>
#include <QRect>

#include "platform/core/colors.h"
#include "platform/core/types.h"

namespace veilix {

// System colours are resolved first.
inline QRgb ToQRgb(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return qRgb(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

inline TColor FromQRgb(QRgb rgb) {
    return RGBColor(std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb)));
}

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

inline TRect ToTRect(const QRect& r) { return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace veilix
