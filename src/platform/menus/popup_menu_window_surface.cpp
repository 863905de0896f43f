// The popup window's shape, invalidation and whole surface, as a menu painter
// draws on them from outside.
#include <utility>

#include "platform/core/device_pixels.h"
#include "platform/menus/plain_menu_look.h"
#include "platform/menus/popup_menu_window.h"
#include "platform/system/platform_kind.h"

namespace veilix {

void PopupMenuWindow::SetRegion(std::optional<QRegion> region, bool redraw) {
    region_ = std::move(region);
    if (WindowShapesSupported()) {
        // The same mechanism as the sheet's colour key: on X11 the window's
        // shape, which also lets the pointer through to what lies beneath.
        if (region_)
            setMask(*region_);
        else
            clearMask();
    }
    if (redraw) FlushSurface();
}

void PopupMenuWindow::Invalidate(bool erase) {
    repaint_ += rect();
    erase_ |= erase;
    update();
}

bool PopupMenuWindow::SurfaceFits() const {
    const qreal ratio = devicePixelRatioF();
    return surface_.devicePixelRatio() == ratio && surface_.size() == DeviceRect(rect(), ratio).size();
}

QImage& PopupMenuWindow::Surface() {
    if (!SurfaceFits()) {
        // The screen's own pixels: on a scaled desktop the painters draw
        // their text and lines at its resolution, not enlarged afterwards.
        const qreal ratio = devicePixelRatioF();
        surface_ = QImage(DeviceRect(rect(), ratio).size(), QImage::Format_RGB32);
        surface_.setDevicePixelRatio(ratio);
        PaintPlainBackground(surface_);
    }
    return surface_;
}

void PopupMenuWindow::FlushSurface() {
    flushOnly_ += rect();
    update();
}

}  // namespace veilix
