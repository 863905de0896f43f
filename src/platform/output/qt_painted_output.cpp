#include "platform/output/qt_painted_output.h"

#include <QPainter>
#include <QWidget>

#include "platform/output/frame_composer.h"

namespace veilix {

void QtPaintedOutput::ShowChanged(const QImage&, const QRegion& changed) { window_.update(changed); }

void QtPaintedOutput::Paint(const QImage& frame, const QRegion& region) {
    QPainter painter(&window_);
    for (const QRect& rect : region) painter.drawImage(rect, frame, rect);
}

QRegion QtPaintedOutput::MaskFor(const QRegion& shape) { return shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape; }

void QtMaskOutput::SetShape(const FrameComposer& composer) { window_.setMask(MaskFor(composer.Shape())); }

void QtMaskOutput::ClearShape() { window_.clearMask(); }

}  // namespace veilix
