#include "platform/output/frame_output.h"

#include <QWidget>

#include "platform/output/qt_painted_output.h"
#include "platform/output/wayland_output.h"
#include "platform/output/x11_surface.h"
#include "platform/system/platform_kind.h"

namespace veilix {

void FrameOutput::PrepareWindow(QWidget& window) {
    // Wayland keys by alpha: the native window needs an alpha channel from
    // its creation on.
    if (CurrentPlatform() == PlatformKind::Wayland) window.setAttribute(Qt::WA_TranslucentBackground);
}

std::unique_ptr<FrameOutput> FrameOutput::For(QWidget& window, bool keyed) {
    switch (CurrentPlatform()) {
        case PlatformKind::Headless: return std::make_unique<QtPaintedOutput>(window);
        case PlatformKind::Wayland: return std::make_unique<WaylandOutput>(window);
        case PlatformKind::X11:
            if (!keyed) break;
            if (auto surface = X11Surface::For(window)) {
                window.setAttribute(Qt::WA_PaintOnScreen);
                return surface;
            }
            break;
        case PlatformKind::Other: break;
    }
    return std::make_unique<QtMaskOutput>(window);
}

}  // namespace veilix
