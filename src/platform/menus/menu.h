#pragma once
// The menu model: TMenu (a popup or main menu) with its items, and TMenuItem,
// which can hold sub-items. Items are owned like any component, by the
// component that creates them; the lists here only refer to them, and an item
// leaves every list when it is destroyed.
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/shortcut.h"
#include "platform/core/types.h"
#include "platform/graphics/bitmap.h"

namespace veilix {

class TCanvas;
class TImageList;
class TMenu;

using TMenuMeasureItemEvent = TMethod<TComponent*, TCanvas&, int&, int&>;
using TMenuDrawItemEvent = TMethod<TComponent*, TCanvas&, TRect, bool>;

enum class TBiDiMode { bdLeftToRight, bdRightToLeft };

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}
    ~TMenuItem() override;

    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    bool RadioItem = false;
    bool Default = false;
    TShortCut ShortCut = 0;
    int ImageIndex = -1;
    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    // The item's own picture; empty unless one was given.
    TBitmap& Bitmap() { return bitmap_; }
    const TBitmap& Bitmap() const { return bitmap_; }

    const std::vector<TMenuItem*>& Items() const { return items_; }
    int Count() const { return int(items_.size()); }
    // Appends a sub-item; an item that sat in another list leaves it first.
    // An item is never added below itself.
    void Add(TMenuItem* item);

    // The item this one is a sub-item of; none for a menu's own items.
    TMenuItem* Parent() const { return parent_; }
    // The menu at the top of the item's chain of parents, if any.
    TMenu* GetParentMenu() const;
    // An own item of a main menu, shown on the menu bar.
    bool IsTopLevel() const;
    // A separator: the caption is exactly "-".
    bool IsLine() const { return Caption == "-"; }

    void Click() { OnClick(this); }
    // The access letter, upper-cased: the character after a single "&".
    char AccessLetter() const;

private:
    friend class TMenu;
    void Detach();

    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // for a menu's own items
    TBitmap bitmap_;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner) : TComponent(owner) {}
    ~TMenu() override;
    const TClassInfo& ClassInfo() const override { return classes::Menu; }

    bool OwnerDraw = false;
    TImageList* Images = nullptr;
    TBiDiMode BiDiMode = TBiDiMode::bdLeftToRight;
    bool IsRightToLeft() const { return BiDiMode == TBiDiMode::bdRightToLeft; }

    const std::vector<TMenuItem*>& Items() const { return items_; }
    // Appends an own item; an item that sat in another list leaves it first.
    void Add(TMenuItem* item);

    // Forgets the image list when it is destroyed.
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenuItem;
    std::vector<TMenuItem*> items_;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    const TClassInfo& ClassInfo() const override { return classes::MainMenu; }
};

}  // namespace veilix
