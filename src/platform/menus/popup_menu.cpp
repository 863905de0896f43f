#include "platform/menus/popup_menu.h"

#include "platform/menus/popup_menu_window.h"
#include "platform/messages/event_loop.h"

namespace veilix {

void TPopupMenu::Popup(int x, int y) {
    PopupMenuWindow window(*this);
    // The choice arrives as a command after the menu has closed and after the
    // event that opened it has been handled.
    if (TMenuItem* chosen = window.Track(QPoint(x, y))) PostCall([chosen] { chosen->Click(); });
}

}  // namespace veilix
