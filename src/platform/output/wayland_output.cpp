#include "platform/output/wayland_output.h"

#include <QPainter>
#include <QWidget>
#include <QWindow>

#include "platform/core/device_pixels.h"
#include "platform/output/frame_composer.h"

namespace veilix {

void WaylandOutput::SetShape(const FrameComposer& composer) {
    const QRegion& shape = composer.Shape();
    // The widget's own mask would also clip our painting, so that pixels
    // that became keyed kept their old colour; the native window's mask is
    // the input region alone.
    shownByAlpha_ = shape;
    if (!window_.windowHandle()) window_.winId();
    window_.windowHandle()->setMask(MaskFor(composer));
}

void WaylandOutput::ClearShape() {
    shownByAlpha_.reset();
    if (window_.windowHandle()) window_.windowHandle()->setMask(QRegion());
    window_.update();
}

void WaylandOutput::Paint(const QImage& frame, const QRegion& region) {
    QPainter painter(&window_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    DrawDevicePixels(painter, frame, region);
    if (!shownByAlpha_) return;
    const qreal ratio = frame.devicePixelRatio();
    for (const QRect& rect : region - *shownByAlpha_) painter.fillRect(LogicalPlace(rect, ratio), Qt::transparent);
}

}  // namespace veilix
