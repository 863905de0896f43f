#pragma once
// TPopupMenu and TMenuItem: our own popup window, tracked in a modal loop until
// an item is chosen or the menu is dismissed; the chosen command runs
// afterwards, from the queue. Owner-drawn items are measured and painted by
// their handlers; without them the plain look is used.
#include <string>
#include <vector>

#include "platform/component.h"
#include "platform/events.h"
#include "platform/types.h"

namespace veilix {

class TCanvas;

using TMenuMeasureItemEvent = TMethod<TComponent*, TCanvas&, int&, int&>;
using TMenuDrawItemEvent = TMethod<TComponent*, TCanvas&, TRect, bool>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}

    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    void Click() { OnClick(this); }
    // The access letter, upper-cased: the character after a single "&".
    char AccessLetter() const;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner) : TComponent(owner) {}

    bool OwnerDraw = false;
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void Add(TMenuItem* item);

    // Opens the menu with its top-left corner at a screen point (moved to stay
    // on screen) and returns when it has closed.
    void Popup(int x, int y);

    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TMenuItem*> items_;
};

}  // namespace veilix
