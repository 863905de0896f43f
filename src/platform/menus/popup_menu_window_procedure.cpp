// The popup window's replaceable window procedure and its user-data slot,
// through which a menu painter follows the window's messages.
#include <utility>

#include "platform/menus/plain_menu_look.h"
#include "platform/menus/popup_menu_window.h"

namespace veilix {

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

}  // namespace veilix
