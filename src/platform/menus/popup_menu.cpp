#include "platform/menus/popup_menu.h"

#include "platform/menus/popup_menu_window.h"
#include "platform/messages/event_loop.h"

namespace veilix {

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y) {
    // A new native window for each opening costs more than the rest of
    // opening the menu; the kept one starts each opening as a new one would.
    // Opened again from within an opening, the menu gets a window of its own.
    std::unique_ptr<PopupMenuWindow> nested;
    PopupMenuWindow* window = nullptr;
    if (!window_) {
        window_ = std::make_unique<PopupMenuWindow>(*this);
        window = window_.get();
    } else if (window_->Tracking()) {
        nested = std::make_unique<PopupMenuWindow>(*this);
        window = nested.get();
    } else {
        window = window_.get();
        window->Renew();
    }
    // The choice arrives as a command after the menu has closed and after the
    // event that opened it has been handled.
    if (TMenuItem* chosen = window->Track(QPoint(x, y))) PostCall([chosen] { chosen->Click(); });
}

}  // namespace veilix
