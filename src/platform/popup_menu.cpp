#include "platform/popup_menu.h"

#include <algorithm>
#include <cctype>

#include "platform/event_loop.h"
#include "platform/popup_menu_window.h"

namespace veilix {

char TMenuItem::AccessLetter() const {
    for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&') continue;
        if (Caption[i + 1] == '&') {
            ++i;  // "&&" is a literal ampersand
            continue;
        }
        return char(std::toupper(static_cast<unsigned char>(Caption[i + 1])));
    }
    return 0;
}

void TPopupMenu::Add(TMenuItem* item) { items_.push_back(item); }

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    if (operation != TOperation::opRemove) return;
    std::erase_if(items_, [component](TMenuItem* item) { return item == component; });
}

void TPopupMenu::Popup(int x, int y) {
    PopupMenuWindow window(*this);
    // The choice arrives as a command after the menu has closed and after the
    // event that opened it has been handled.
    if (TMenuItem* chosen = window.Track(QPoint(x, y))) PostCall([chosen] { chosen->Click(); });
}

}  // namespace veilix
