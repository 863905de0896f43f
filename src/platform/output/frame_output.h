#pragma once
// How a window's composed frame and its shape reach the screen. Each platform
// has its own way, so each is a back end of this interface, and a window has
// one, chosen once (For) when its first frame is presented:
//   X11Surface      our own puts and SHAPE requests on the X server (keyed windows on X11)
//   WaylandOutput   keyed pixels fully transparent, the shape as the input region
//   QtMaskOutput    Qt paints, the shape is the widget's mask (X11 without our surface, other platforms)
//   QtPaintedOutput Qt paints, no shape (offscreen and minimal, which have no window system)
#include <memory>

class QImage;
class QRegion;
class QWidget;

namespace veilix {

class FrameComposer;

class FrameOutput {
public:
    // Before the native window exists: what a back end needs of the window
    // from its creation on (an alpha channel on Wayland).
    static void PrepareWindow(QWidget& window);
    // The back end for the window. Our own X11 surface serves keyed windows
    // only: it draws the frame and nothing else, so windows with child
    // widgets keep Qt's painting. Creates the native window where the
    // choice depends on it.
    static std::unique_ptr<FrameOutput> For(QWidget& window, bool keyed);

    virtual ~FrameOutput() = default;

    // Shown pixels: the composer's shape. The rest lets what lies beneath
    // show and take the pointer.
    virtual void SetShape(const FrameComposer& composer) = 0;
    // No shape: every pixel shown.
    virtual void ClearShape() = 0;
    // The frame's pixels in changed differ from what the window shows.
    // Regions here are in the frame's (device) pixels.
    virtual void ShowChanged(const QImage& frame, const QRegion& changed) = 0;
    // Qt asks for region to be painted: an exposure, or a change that went
    // through Qt's repaint.
    virtual void Paint(const QImage& frame, const QRegion& region) = 0;
    // Whether the back end puts the pixels itself, so that Qt keeps neither
    // a paint engine nor a backing store for the window.
    virtual bool PaintsOnScreen() const { return false; }
};

}  // namespace veilix
