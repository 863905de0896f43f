#include "platform/output/frame_presenter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <utility>

#include "platform/core/device_pixels.h"

namespace veilix {

FramePresenter::FramePresenter(QWidget& window, FrameComposer::PaintFunction paint, OutputChoice choice)
    : window_(window), paint_(std::move(paint)), choice_(std::move(choice)) {
    FrameOutput::PrepareWindow(window_);
}

FramePresenter::~FramePresenter() = default;

FrameOutput& FramePresenter::Output() {
    if (!output_) output_ = choice_(window_, keyed_);
    return *output_;
}

void FramePresenter::Invalidate(const QRect& rect) {
    composer_.Invalidate(rect);
    if (requested_) return;
    requested_ = true;
    // The update request Qt itself would post; with nothing marked for
    // repainting it only composes.
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

void FramePresenter::SetKeyed(bool keyed) {
    keyed_ = keyed;
    // Keyed again, the shape is handed on even if the frame kept it.
    appliedShapeVersion_.reset();
    if (!keyed && output_) output_->ClearShape();
}

void FramePresenter::Present() {
    requested_ = false;
    const QRegion changed = composer_.Compose(paint_);
    FrameOutput& output = Output();
    if (keyed_ && composer_.ShapeVersion() != appliedShapeVersion_) {
        appliedShapeVersion_ = composer_.ShapeVersion();
        output.SetShape(composer_);
    }
    // Shown within the shape as it is now: pixels that were keyed a moment
    // ago must come from this frame, not be kept from the one before.
    if (!changed.isEmpty()) output.ShowChanged(composer_.Frame(), changed);
}

void FramePresenter::PresentIfRequested() {
    if (requested_) Present();
}

void FramePresenter::Paint(const QRegion& region) {
    // A repaint that no update request announced (an exposure) may still
    // find changes pending.
    Present();
    Output().Paint(composer_.Frame(), DeviceRegion(region, composer_.Ratio()) & composer_.Frame().rect());
}

}  // namespace veilix
