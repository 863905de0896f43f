// The popup window's shape, invalidation and whole surface, as a menu painter
// draws on them from outside.
#include <utility>

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

QImage& PopupMenuWindow::Surface() {
    if (surface_.size() != size()) {
        surface_ = QImage(size(), QImage::Format_RGB32);
        PaintPlainBackground(surface_);
    }
    return surface_;
}

void PopupMenuWindow::FlushSurface() {
    flushOnly_ += rect();
    update();
}

}  // namespace veilix
