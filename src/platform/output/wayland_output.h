#pragma once
// A keyed window on Wayland, whose compositors take no window shapes: the
// keyed pixels are painted fully transparent (the window has an alpha
// channel) and the shape becomes the window's input region.
#include <optional>

#include <QRegion>

#include "platform/output/qt_painted_output.h"

namespace veilix {

class WaylandOutput : public QtPaintedOutput {
public:
    using QtPaintedOutput::QtPaintedOutput;

    void SetShape(const FrameComposer& composer) override;
    void ClearShape() override;
    void Paint(const QImage& frame, const QRegion& region) override;

private:
    std::optional<QRegion> shownByAlpha_;
};

}  // namespace veilix
