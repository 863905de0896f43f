#pragma once
// The output side of a window's frame: the composed frame, the back end that
// takes it and its shape to the screen, and the one entry that composes and
// shows it (Present), called after a burst of pointer moves, on the update
// request that an invalidation posts, and before an exposure is painted. The
// window's owner paints the frame (the paint function) and invalidates it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QImage>
#include <QRegion>

#include "platform/output/frame_composer.h"
#include "platform/output/frame_output.h"

class QWidget;

namespace veilix {

class FramePresenter {
public:
    // Picks the back end for a window; FrameOutput::For unless a test says otherwise.
    using OutputChoice = std::function<std::unique_ptr<FrameOutput>(QWidget& window, bool keyed)>;

    FramePresenter(QWidget& window, FrameComposer::PaintFunction paint, OutputChoice choice = &FrameOutput::For);
    ~FramePresenter();

    const FrameComposer& Composer() const { return composer_; }
    // size in logical pixels, at the window's device pixel ratio.
    void Resize(const QSize& size, qreal ratio = 1.0) { composer_.Resize(size, ratio); }
    // Marks the area for recomposing and asks for a frame: an update request
    // is posted to the window, whose handling must call Present.
    void Invalidate(const QRect& rect);
    // Keyed, the key colour's pixels are shaped away; not keyed, every pixel
    // is shown.
    void SetKeyed(bool keyed);
    bool Keyed() const { return keyed_; }
    void SetKeyColour(QRgb key) { composer_.SetKeyColour(key); }

    // Composes what is pending, hands the shape on when it changed, and
    // shows the pixels that changed.
    void Present();
    // Present, if a frame was asked for since the last one.
    void PresentIfRequested();
    // Qt asks for region (logical) to be painted: the frame is brought up to
    // date first.
    void Paint(const QRegion& region);
    bool PaintsOnScreen() const { return output_ && output_->PaintsOnScreen(); }

private:
    FrameOutput& Output();

    QWidget& window_;
    FrameComposer::PaintFunction paint_;
    OutputChoice choice_;
    FrameComposer composer_;
    std::unique_ptr<FrameOutput> output_;  // chosen at the first frame
    bool keyed_ = false;
    std::optional<std::uint64_t> appliedShapeVersion_;  // the composer's, last handed to the output
    bool requested_ = false;
};

}  // namespace veilix
