#include "platform/menus/menu.h"

#include <algorithm>
#include <cctype>

#include "platform/menus/image_list.h"

namespace veilix {

TMenuItem::~TMenuItem() {
    Detach();
    // Sub-items outlive their parent when another component owns them.
    for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::Detach() {
    if (parent_) std::erase(parent_->items_, this);
    if (menu_) std::erase(menu_->items_, this);
    parent_ = nullptr;
    menu_ = nullptr;
}

void TMenuItem::Add(TMenuItem* item) {
    if (!item) return;
    // An item cannot become its own descendant: the chain of parents would loop.
    for (const TMenuItem* above = this; above; above = above->parent_)
        if (above == item) return;
    item->Detach();
    item->parent_ = this;
    items_.push_back(item);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* top = this;
    while (top->parent_) top = top->parent_;
    return top->menu_;
}

bool TMenuItem::IsTopLevel() const { return dynamic_cast<TMainMenu*>(menu_) != nullptr; }

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

TMenu::~TMenu() {
    for (TMenuItem* item : items_) item->menu_ = nullptr;
}

void TMenu::Add(TMenuItem* item) {
    if (!item) return;
    item->Detach();
    item->menu_ = this;
    items_.push_back(item);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == Images) Images = nullptr;
}

}  // namespace veilix
