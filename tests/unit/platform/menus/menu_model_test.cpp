// The menu model: item lists that follow their items' lifetimes, the chain
// from an item up to its menu, and image lists that hold copies.
#include <gtest/gtest.h>

#include <memory>

#include "platform/menus/image_list.h"
#include "platform/menus/popup_menu.h"

namespace veilix {
namespace {

// Items owned by one component, as a form owns its menus and their items.
class MenuModel : public ::testing::Test {
protected:
    TMenuItem* NewItem(const char* caption, TComponent* owner = nullptr) {
        auto* item = new TMenuItem(owner ? owner : form_.get());
        item->Caption = caption;
        return item;
    }

    std::unique_ptr<TComponent> form_ = std::make_unique<TComponent>(nullptr);
};

TEST_F(MenuModel, DestroyedItemsLeaveEveryList) {
    auto* popup = new TPopupMenu(form_.get());
    TMenuItem* file = NewItem("&File");
    TMenuItem* open = NewItem("&Open");
    TMenuItem* save = NewItem("&Save");
    popup->Add(file);
    file->Add(open);
    file->Add(save);

    FreeComponent(open);
    EXPECT_EQ(file->Items(), std::vector<TMenuItem*>{save});
    EXPECT_EQ(file->Count(), 1);

    FreeComponent(file);
    EXPECT_TRUE(popup->Items().empty());
    // The sub-item survives its parent; it is no longer below it.
    EXPECT_EQ(save->Parent(), nullptr);
    EXPECT_EQ(save->GetParentMenu(), nullptr);
}

// A sub-item owned elsewhere than its parent hears of no removal through its
// owner; it still leaves the list, and so do items of a menu owned elsewhere.
TEST_F(MenuModel, ItemsOwnedElsewhereLeaveListsToo) {
    TComponent elsewhere(nullptr);
    auto* popup = new TPopupMenu(form_.get());
    TMenuItem* parent = NewItem("Parent");
    TMenuItem* child = NewItem("Child", &elsewhere);
    TMenuItem* own = NewItem("Own", &elsewhere);
    popup->Add(parent);
    popup->Add(own);
    parent->Add(child);

    FreeComponent(child);
    FreeComponent(own);
    EXPECT_TRUE(parent->Items().empty());
    EXPECT_EQ(popup->Items(), std::vector<TMenuItem*>{parent});

    // The menu goes first: its items no longer name it.
    FreeComponent(popup);
    EXPECT_EQ(parent->GetParentMenu(), nullptr);
}

TEST_F(MenuModel, ItemsKnowTheirMenuAndWhetherTheyAreOnTheBar) {
    auto* bar = new TMainMenu(form_.get());
    auto* popup = new TPopupMenu(form_.get());
    TMenuItem* file = NewItem("&File");
    TMenuItem* recent = NewItem("&Recent");
    TMenuItem* first = NewItem("1 notes.txt");
    TMenuItem* shape = NewItem("Add Circle");
    bar->Add(file);
    file->Add(recent);
    recent->Add(first);
    popup->Add(shape);

    EXPECT_EQ(first->Parent(), recent);
    EXPECT_EQ(recent->Parent(), file);
    EXPECT_EQ(file->Parent(), nullptr);
    EXPECT_EQ(first->GetParentMenu(), bar);
    EXPECT_EQ(shape->GetParentMenu(), popup);
    EXPECT_TRUE(file->IsTopLevel());
    EXPECT_FALSE(recent->IsTopLevel());
    EXPECT_FALSE(shape->IsTopLevel());
}

// Adding an item that already sits in a list moves it; an item is never put
// below itself, which would make its chain of parents endless.
TEST_F(MenuModel, AddingMovesAnItemAndRefusesLoops) {
    auto* popup = new TPopupMenu(form_.get());
    TMenuItem* a = NewItem("A");
    TMenuItem* b = NewItem("B");
    TMenuItem* c = NewItem("C");
    popup->Add(a);
    popup->Add(b);
    a->Add(c);

    b->Add(c);
    EXPECT_TRUE(a->Items().empty());
    EXPECT_EQ(c->Parent(), b);

    a->Add(b);
    EXPECT_EQ(popup->Items(), std::vector<TMenuItem*>{a});
    EXPECT_EQ(b->Parent(), a);

    c->Add(a);  // a is above c
    c->Add(c);
    EXPECT_TRUE(c->Items().empty());
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(c->GetParentMenu(), popup);
}

TEST_F(MenuModel, SeparatorIsExactlyOneDash) {
    const std::pair<const char*, bool> cases[] = {
        {"-", true}, {"--", false}, {" -", false}, {"&-", false}, {"", false}};
    TMenuItem* item = NewItem("");
    for (const auto& [caption, line] : cases) {
        item->Caption = caption;
        EXPECT_EQ(item->IsLine(), line) << '"' << caption << '"';
    }
}

TEST_F(MenuModel, MenuForgetsItsDestroyedImageList) {
    auto* popup = new TPopupMenu(form_.get());
    popup->Images = new TImageList(form_.get());
    FreeComponent(popup->Images);
    EXPECT_EQ(popup->Images, nullptr);
}

TBitmap Filled(int width, int height, TColor colour) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, colour);
    return bitmap;
}

TEST(ImageList, AddsAndHandsOutCopies) {
    TImageList list(nullptr);
    TBitmap source = Filled(16, 16, RGBColor(10, 20, 30));
    EXPECT_EQ(list.Add(source), 0);
    EXPECT_EQ(list.Add(Filled(16, 16, RGBColor(200, 0, 0))), 1);
    EXPECT_EQ(list.Count(), 2);

    source.SetPixel(0, 0, clWhite);  // the list keeps what it was given
    TBitmap out;
    list.GetBitmap(0, out);
    EXPECT_EQ(out.Width(), 16);
    EXPECT_EQ(out.Height(), 16);
    EXPECT_EQ(out.Pixel(0, 0), RGBColor(10, 20, 30));

    out.SetPixel(5, 5, clBlack);  // nor is it changed through what it handed out
    TBitmap again;
    list.GetBitmap(0, again);
    EXPECT_EQ(again.Pixel(5, 5), RGBColor(10, 20, 30));

    list.GetBitmap(1, again);
    EXPECT_EQ(again.Pixel(15, 15), RGBColor(200, 0, 0));
}

// Pictures take the list's size: a larger bitmap gives its top-left part, a
// smaller one is filled out with white.
TEST(ImageList, PicturesTakeTheListSize) {
    TImageList list(nullptr);
    list.Width = 4;
    list.Height = 3;
    TBitmap large = Filled(10, 10, clBlack);
    large.SetPixel(3, 2, RGBColor(1, 2, 3));
    list.Add(large);
    list.Add(Filled(2, 2, clBlack));

    TBitmap out;
    list.GetBitmap(0, out);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Height(), 3);
    EXPECT_EQ(out.Pixel(3, 2), RGBColor(1, 2, 3));
    list.GetBitmap(1, out);
    EXPECT_EQ(out.Width(), 4);
    EXPECT_EQ(out.Pixel(1, 1), clBlack);
    EXPECT_EQ(out.Pixel(2, 1), clWhite);
    EXPECT_EQ(out.Pixel(1, 2), clWhite);
}

TEST(ImageList, NothingToAddOrHandOut) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Add(TBitmap()), -1);
    EXPECT_EQ(list.Count(), 0);
    list.Add(Filled(16, 16, clBlack));

    TBitmap out = Filled(2, 2, clLime);
    for (int index : {-1, 1, 99}) {
        list.GetBitmap(index, out);
        EXPECT_EQ(out.Width(), 2) << index;
        EXPECT_EQ(out.Pixel(0, 0), clLime) << index;
    }
}

}  // namespace
}  // namespace veilix
