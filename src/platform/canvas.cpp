#include "platform/canvas.h"

#include <QImage>
#include <QPainter>

#include "platform/bitmap.h"
#include "platform/stretch_copy.h"

namespace veilix {

namespace {
QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
}  // namespace

void TCanvas::FillRect(const TRect& rect) {
    const QRect area = ToQRect(rect) & target_.rect();
    if (area.isEmpty()) return;
    const QRgb colour = qRgb(RedOf(Brush.Color), GreenOf(Brush.Color), BlueOf(Brush.Color));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(target_.scanLine(y));
        std::fill(line + area.left(), line + area.left() + area.width(), colour);
    }
}

void TCanvas::StretchDrawClipped(const TRect& rect, const TBitmap& bitmap, const TRect& clip) {
    StretchCopy(target_, ToQRect(rect), bitmap.Image(), ToQRect(clip));
}

TColor TCanvas::Pixel(int x, int y) const {
    if (!target_.valid(x, y)) return 0xFFFFFFFF;
    const QRgb p = target_.pixel(x, y);
    return RGBColor(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p)));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (target_.valid(x, y)) target_.setPixel(x, y, qRgb(RedOf(color), GreenOf(color), BlueOf(color)));
}

}  // namespace veilix
