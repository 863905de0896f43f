#pragma once
// TPopupMenu: our own popup window, tracked in a modal loop until an item is
// chosen or the menu is dismissed; the chosen command runs afterwards, from
// the queue. Owner-drawn items are measured and painted by their handlers;
// without them the plain look is used. The menu keeps its window from one
// opening to the next.
#include <memory>

#include "platform/menus/image_list.h"
#include "platform/menus/menu.h"

namespace veilix {

class PopupMenuWindow;

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    const TClassInfo& ClassInfo() const override { return classes::PopupMenu; }

    // Opens the menu with its top-left corner at a screen point (moved to stay
    // on screen) and returns when it has closed.
    void Popup(int x, int y);

private:
    std::unique_ptr<PopupMenuWindow> window_;
};

}  // namespace veilix
