#include "platform/graphics/canvas.h"

#include <QImage>

#include "platform/core/device_pixels.h"
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

// Blit where either image is scaled: the logical rectangle sourceRect of
// source, placed with its top-left at `at` (logical) and kept inside destClip
// (logical), goes to the destination's device pixels of that place, each
// taking the nearest device pixel of the source.
void ScaledBlit(QImage& destination, QPoint at, const QImage& source, const QRect& sourceRect, const QRect& destClip,
                bool keyed, QRgb key) {
    const qreal toRatio = destination.devicePixelRatio(), fromRatio = source.devicePixelRatio();
    const QPoint offset = sourceRect.topLeft() - at;
    const QRect placed = (sourceRect & LogicalRect(source)).translated(-offset) & destClip;
    const QRect to = DeviceRect(placed, toRatio) & destination.rect();
    if (to.isEmpty()) return;
    const QRect whole = DeviceRect(placed, toRatio);
    const QRect from = DeviceRect(placed.translated(offset), fromRatio) & source.rect();
    if (from.isEmpty()) return;
    PixelWriter writer(destination);
    for (int y = to.top(); y <= to.bottom(); ++y) {
        const int sy = from.top() + StretchSourceIndex(y - whole.top(), from.height(), whole.height());
        for (int x = to.left(); x <= to.right(); ++x) {
            const int sx = from.left() + StretchSourceIndex(x - whole.left(), from.width(), whole.width());
            const QRgb rgb = source.pixel(sx, sy) | 0xFF000000u;
            if (keyed && rgb == key) continue;
            writer.SetColor(rgb);
            writer.DeviceSpan(y, x, x + 1);
        }
    }
}

void AnyBlit(QImage& destination, QPoint at, const QImage& source, const QRect& sourceRect, const QRect& destClip,
             bool keyed, QRgb key) {
    if (destination.devicePixelRatio() == 1.0 && source.devicePixelRatio() == 1.0)
        Blit(destination, at, source, sourceRect, destClip, keyed, key);
    else
        ScaledBlit(destination, at, source, sourceRect, destClip, keyed, key);
}
}  // namespace

void TCanvas::FillRect(const TRect& rect) {
    // Fills whatever the brush style: a hollow brush only keeps shapes' insides.
    PixelWriter writer(target_);
    writer.SetColor(ToQRgb(Brush.Color));
    writer.Fill(ToQRect(rect));
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap, bool transparent, TColor transparentColor) {
    AnyBlit(target_, QPoint(x, y), bitmap.Image(), LogicalRect(bitmap.Image()), LogicalRect(target_), transparent,
            ToQRgb(transparentColor));
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    const QRect from = ToQRect(sourceRect);
    if (&source.target_ == &target_) {
        // Overlapping parts of one surface: read everything before writing.
        const qreal ratio = target_.devicePixelRatio();
        const QRect readable = from & LogicalRect(target_);
        QImage piece = target_.copy(DeviceRect(readable, ratio));
        piece.setDevicePixelRatio(ratio);
        const QPoint at = QPoint(dest.Left, dest.Top) + (readable.topLeft() - from.topLeft());
        AnyBlit(target_, at, piece, LogicalRect(piece), ToQRect(dest), false, 0);
        return;
    }
    AnyBlit(target_, QPoint(dest.Left, dest.Top), source.target_, from, ToQRect(dest), false, 0);
}

void TCanvas::StretchDrawClipped(const TRect& rect, const TBitmap& bitmap, const TRect& clip) {
    const qreal ratio = target_.devicePixelRatio();
    StretchCopy(target_, DeviceRect(ToQRect(rect), ratio), bitmap.Image(), DeviceRect(ToQRect(clip), ratio));
}

TColor TCanvas::Pixel(int x, int y) const {
    const qreal ratio = target_.devicePixelRatio();
    const int deviceX = DeviceEdge(x, ratio), deviceY = DeviceEdge(y, ratio);
    if (!LogicalRect(target_).contains(x, y) || !target_.valid(deviceX, deviceY))
        return 0xFFFFFFFF;  // the framework's "no pixel" value
    return FromQRgb(target_.pixel(deviceX, deviceY));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    PixelWriter writer(target_);
    writer.SetColor(ToQRgb(color));
    writer.Plot(x, y);
}

int TCanvas::BitsPerPixel() const {
    if (deviceBitsPerPixel_ > 0) return deviceBitsPerPixel_;
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
