#pragma once
// The frame painted through Qt's own repaint: without a shape (platforms with
// no window system), or with the shape as the widget's mask. The frame's
// device pixels are drawn one to one on the window's.
#include <QRegion>

class QPainter;

#include "platform/output/frame_output.h"

namespace veilix {

class QtPaintedOutput : public FrameOutput {
public:
    explicit QtPaintedOutput(QWidget& window) : window_(window) {}

    // Platforms without window shapes have nothing to apply; the pointer
    // routing keeps the key rule there.
    void SetShape(const FrameComposer&) override {}
    void ClearShape() override {}
    void ShowChanged(const QImage& frame, const QRegion& changed) override;
    void Paint(const QImage& frame, const QRegion& region) override;

protected:
    // A mask for the composer's shape, in logical pixels: those whose device
    // pixels are all shown. An empty region would remove the mask and show
    // (and take input) everywhere; a window keyed everywhere gets a mask
    // outside itself instead.
    static QRegion MaskFor(const FrameComposer& composer);
    // The frame's device pixels in region (device pixels) onto the window's.
    static void DrawDevicePixels(QPainter& painter, const QImage& frame, const QRegion& region);

    QWidget& window_;
};

class QtMaskOutput : public QtPaintedOutput {
public:
    using QtPaintedOutput::QtPaintedOutput;

    void SetShape(const FrameComposer& composer) override;
    void ClearShape() override;
};

}  // namespace veilix
