// Our popup windows that exist, found by handle, at a screen point or by an
// item they show.
#include <algorithm>

#include "platform/menus/popup_menu_window.h"

namespace veilix {

std::vector<PopupMenuWindow*>& PopupMenuWindow::LiveWindows() {
    static std::vector<PopupMenuWindow*> windows;
    return windows;
}

PopupMenuWindow* PopupMenuWindow::FromHandle(TWindowHandle handle) {
    if (handle == 0) return nullptr;
    for (PopupMenuWindow* window : LiveWindows())
        if (HandleOf(window) == handle) return window;
    return nullptr;
}

bool PopupMenuWindow::ShowsAt(QPoint global) const {
    if (!isVisible() || !geometry().contains(global)) return false;
    return !region_ || region_->contains(global - geometry().topLeft());
}

PopupMenuWindow* PopupMenuWindow::AtScreenPoint(QPoint global) {
    // The newest lies on top: a sub-menu over the menu it opened from.
    const auto& windows = LiveWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        PopupMenuWindow* window = *it;
        if (window->ShowsAt(global)) return window;
    }
    return nullptr;
}

PopupMenuWindow* PopupMenuWindow::Showing(const TMenuItem* item) {
    for (PopupMenuWindow* window : LiveWindows())
        if (window->isVisible() && std::ranges::find(window->items_, item) != window->items_.end()) return window;
    return nullptr;
}

}  // namespace veilix
