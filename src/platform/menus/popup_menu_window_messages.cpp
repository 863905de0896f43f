// The popup window as a menu painter reaches it from outside: its window
// procedure and user-data slot, its shape, invalidation, its whole surface,
// and the registry that finds our windows by handle, place or item.
#include <QGuiApplication>

#include <algorithm>
#include <utility>

#include "platform/menus/plain_menu_look.h"
#include "platform/menus/popup_menu_window.h"

namespace veilix {

namespace {
// Platforms without window shapes (offscreen, minimal) keep the shape as
// state only.
bool ShapesSupported() {
    static const bool supported = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                  QGuiApplication::platformName() != QLatin1String("minimal");
    return supported;
}
}  // namespace

std::vector<PopupMenuWindow*>& PopupMenuWindow::LiveWindows() {
    static std::vector<PopupMenuWindow*> windows;
    return windows;
}

TWindowProc PopupMenuWindow::SetWindowProc(TWindowProc procedure) {
    return std::exchange(procedure_, procedure ? procedure : &OwnProcedure);
}

std::intptr_t PopupMenuWindow::Perform(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    return procedure_(HandleOf(this), msg, wparam, lparam);
}

std::intptr_t PopupMenuWindow::OwnProcedure(TWindowHandle window, unsigned msg, std::uintptr_t, std::intptr_t) {
    if (msg != WM_ERASEBKGND) return 0;
    PopupMenuWindow* self = FromHandle(window);
    if (!self) return 0;
    // The items cover the rest of the window.
    PaintPlainBorder(self->Surface());
    return 1;
}

void PopupMenuWindow::SetRegion(std::optional<QRegion> region, bool redraw) {
    region_ = std::move(region);
    if (ShapesSupported()) {
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

PopupMenuWindow* PopupMenuWindow::FromHandle(TWindowHandle handle) {
    if (handle == 0) return nullptr;
    for (PopupMenuWindow* window : LiveWindows())
        if (HandleOf(window) == handle) return window;
    return nullptr;
}

PopupMenuWindow* PopupMenuWindow::AtScreenPoint(QPoint global) {
    // The newest lies on top: a sub-menu over the menu it opened from.
    const auto& windows = LiveWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        PopupMenuWindow* window = *it;
        if (!window->isVisible() || !window->geometry().contains(global)) continue;
        if (window->region_ && !window->region_->contains(global - window->geometry().topLeft())) continue;
        return window;
    }
    return nullptr;
}

PopupMenuWindow* PopupMenuWindow::Showing(const TMenuItem* item) {
    for (PopupMenuWindow* window : LiveWindows())
        if (window->isVisible() && std::ranges::find(window->items_, item) != window->items_.end()) return window;
    return nullptr;
}

}  // namespace veilix
