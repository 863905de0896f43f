#include "platform/graphics/canvas.h"

#include <QImage>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas_pixels.h"
#include "platform/graphics/stretch_copy.h"

namespace veilix {

namespace {
// Copies source's sourceRect unscaled with its top-left at `at`, writing only
// inside destClip; when keyed, pixels of the key colour are left out.
void Blit(QImage& destination, QPoint at, const QImage& source, const QRect& sourceRect, const QRect& destClip,
          bool keyed, QRgb key) {
    const QPoint offset = sourceRect.topLeft() - at;  // source = destination + offset
    const QRect readable = (sourceRect & source.rect()).translated(-offset);
    const QRect target = readable & destClip & destination.rect();
    if (target.isEmpty()) return;
    if (IsWideFormat(destination.format()) && IsWideFormat(source.format())) {
        for (int y = target.top(); y <= target.bottom(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y + offset.y()));
            auto* out = reinterpret_cast<QRgb*>(destination.scanLine(y));
            for (int x = target.left(); x <= target.right(); ++x) {
                const QRgb rgb = in[x + offset.x()] | 0xFF000000u;
                if (!keyed || rgb != key) out[x] = rgb;
            }
        }
        return;
    }
    PixelWriter writer(destination, target);
    for (int y = target.top(); y <= target.bottom(); ++y)
        for (int x = target.left(); x <= target.right(); ++x) {
            const QRgb rgb = source.pixel(x + offset.x(), y + offset.y()) | 0xFF000000u;
            if (keyed && rgb == key) continue;
            writer.SetColor(rgb);
            writer.Plot(x, y);
        }
}
}  // namespace

void TCanvas::FillRect(const TRect& rect) {
    // Fills whatever the brush style: a hollow brush only keeps shapes' insides.
    PixelWriter writer(target_);
    writer.SetColor(ToQRgb(Brush.Color));
    writer.Fill(ToQRect(rect));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, bool transparent, TColor transparentColor) {
    Blit(target_, QPoint(x, y), bitmap.Image(), bitmap.Image().rect(), target_.rect(), transparent,
         ToQRgb(transparentColor));
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    const QRect from = ToQRect(sourceRect);
    if (&source.target_ == &target_) {
        // Overlapping parts of one surface: read everything before writing.
        const QRect readable = from & target_.rect();
        const QImage piece = target_.copy(readable);
        const QPoint at = QPoint(dest.Left, dest.Top) + (readable.topLeft() - from.topLeft());
        Blit(target_, at, piece, piece.rect(), ToQRect(dest), false, 0);
        return;
    }
    Blit(target_, QPoint(dest.Left, dest.Top), source.target_, from, ToQRect(dest), false, 0);
}

void TCanvas::StretchDrawClipped(const TRect& rect, const TBitmap& bitmap, const TRect& clip) {
    StretchCopy(target_, ToQRect(rect), bitmap.Image(), ToQRect(clip));
}

TColor TCanvas::Pixel(int x, int y) const {
    if (!target_.valid(x, y)) return 0xFFFFFFFF;  // the framework's "no pixel" value
    return FromQRgb(target_.pixel(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    PixelWriter writer(target_);
    writer.SetColor(ToQRgb(color));
    writer.Plot(x, y);
}

int TCanvas::BitsPerPixel() const {
    switch (target_.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied: return 32;
        case QImage::Format_RGB888:
        case QImage::Format_BGR888: return 24;
        case QImage::Format_RGB16: return 16;
        case QImage::Format_RGB555: return 15;
        case QImage::Format_Indexed8: return 8;
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB: return 1;
        default: return target_.depth();
    }
}

}  // namespace veilix
