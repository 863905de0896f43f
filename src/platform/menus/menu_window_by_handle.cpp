#include "platform/menus/menu_window_by_handle.h"

#include "platform/graphics/canvas.h"
#include "platform/graphics/canvas_pixels.h"
#include "platform/graphics/qt_conversions.h"
#include "platform/menus/popup_menu_window.h"

namespace veilix {

std::optional<TRect> GetWindowRect(TWindowHandle window) {
    const PopupMenuWindow* w = PopupMenuWindow::FromHandle(window);
    if (!w) return std::nullopt;
    return ToTRect(w->geometry());
}

TWindowProc GetWindowProc(TWindowHandle window) {
    const PopupMenuWindow* w = PopupMenuWindow::FromHandle(window);
    return w ? w->WindowProc() : nullptr;
}

TWindowProc SetWindowProc(TWindowHandle window, TWindowProc proc) {
    PopupMenuWindow* w = PopupMenuWindow::FromHandle(window);
    return w ? w->SetWindowProc(proc) : nullptr;
}

std::intptr_t GetWindowUserData(TWindowHandle window) {
    const PopupMenuWindow* w = PopupMenuWindow::FromHandle(window);
    return w ? w->UserData() : 0;
}

void SetWindowUserData(TWindowHandle window, std::intptr_t value) {
    if (PopupMenuWindow* w = PopupMenuWindow::FromHandle(window)) w->SetUserData(value);
}

std::intptr_t CallWindowProc(TWindowProc proc, TWindowHandle window, unsigned msg, std::uintptr_t wparam,
                             std::intptr_t lparam) {
    return (proc ? proc : &PopupMenuWindow::OwnProcedure)(window, msg, wparam, lparam);
}

void SetWindowRegion(TWindowHandle window, std::optional<TWindowRegion> region, bool redraw) {
    PopupMenuWindow* w = PopupMenuWindow::FromHandle(window);
    if (!w) return;
    if (!region) {
        w->SetRegion(std::nullopt, redraw);
        return;
    }
    QRegion shape;
    for (const TRect& r : *region) shape += ToQRect(r);
    w->SetRegion(shape, redraw);
}

std::optional<TRect> GetWindowRegionBox(TWindowHandle window) {
    const PopupMenuWindow* w = PopupMenuWindow::FromHandle(window);
    if (!w || !w->Region()) return std::nullopt;
    return ToTRect(w->Region()->boundingRect());
}

void InvalidateWindow(TWindowHandle window, bool erase) {
    if (PopupMenuWindow* w = PopupMenuWindow::FromHandle(window)) w->Invalidate(erase);
}

TWindowHandle WindowFromPoint(TPoint screen) {
    return HandleOf(PopupMenuWindow::AtScreenPoint(QPoint(screen.x, screen.y)));
}

std::optional<TRect> GetMenuItemScreenRect(const TMenuItem* item) {
    const PopupMenuWindow* w = PopupMenuWindow::Showing(item);
    if (!w) return std::nullopt;
    for (std::size_t i = 0; i < w->ShownItems().size(); ++i)
        if (w->ShownItems()[i] == item) {
            const QRect r = w->ItemRects()[i];
            return ToTRect(QRect(w->mapToGlobal(r.topLeft()), r.size()));
        }
    return std::nullopt;
}

TWindowSurface::TWindowSurface(TWindowHandle window) : window_(window) {
    if (PopupMenuWindow* w = PopupMenuWindow::FromHandle(window)) {
        canvas_ = std::make_unique<TCanvas>(w->Surface());
        canvas_->WindowHandle = window;
    }
}

TWindowSurface::~TWindowSurface() {
    // The window may have gone while the surface was held.
    if (!canvas_) return;
    if (PopupMenuWindow* w = PopupMenuWindow::FromHandle(window_)) w->FlushSurface();
}

}  // namespace veilix
