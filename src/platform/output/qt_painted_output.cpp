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

void QtMaskOutput::SetShape(const FrameComposer& composer) {
    const QRegion& shape = composer.Shape();
    // An empty region would remove the mask and show everything; a window
    // keyed everywhere must show nothing instead.
    window_.setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
}

void QtMaskOutput::ClearShape() { window_.clearMask(); }

}  // namespace veilix
