#include "platform/output/qt_painted_output.h"

#include <QPainter>
#include <QWidget>

#include "platform/core/device_pixels.h"
#include "platform/output/frame_composer.h"

namespace veilix {

void QtPaintedOutput::ShowChanged(const QImage& frame, const QRegion& changed) {
    window_.update(LogicalCover(changed, frame.devicePixelRatio()));
}

void QtPaintedOutput::Paint(const QImage& frame, const QRegion& region) {
    QPainter painter(&window_);
    DrawDevicePixels(painter, frame, region);
}

void QtPaintedOutput::DrawDevicePixels(QPainter& painter, const QImage& frame, const QRegion& region) {
    const qreal ratio = frame.devicePixelRatio();
    // The target in logical coordinates lands on exactly the source's
    // device pixels: nothing is resampled.
    for (const QRect& rect : region) painter.drawImage(LogicalPlace(rect, ratio), frame, QRectF(rect));
}

QRegion QtPaintedOutput::MaskFor(const FrameComposer& composer) {
    const QRegion mask = LogicalInside(composer.Shape(), composer.Frame().rect(), composer.Ratio());
    return mask.isEmpty() ? QRegion(-1, -1, 1, 1) : mask;
}

void QtMaskOutput::SetShape(const FrameComposer& composer) { window_.setMask(MaskFor(composer)); }

void QtMaskOutput::ClearShape() { window_.clearMask(); }

}  // namespace veilix
