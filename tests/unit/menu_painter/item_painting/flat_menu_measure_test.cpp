// Measuring menu items: the width of the caption (one "&" taken off), the
// shortcut, the sub-menu arrow and the icon column; the height from the text
// or the image; proposed sizes are only ever raised, except a separator's.
#include <gtest/gtest.h>

#include "menu_painter/item_painting/rounding.h"
#include "platform/core/shortcut.h"
#include "platform/menus/image_list.h"
#include "support/flat_menu_fixture.h"

namespace veilix::testing {
namespace {

using MeasureItemTest = FlatMenuItemTest;

struct Measured {
    int width;
    int height;
};

Measured Measure(TFlatMenu& painter, TMenuItem& item, int proposedWidth, int proposedHeight) {
    TBitmap surface(8, 8);
    Measured m{proposedWidth, proposedHeight};
    painter.MeasureMenuItem(&item, surface.Canvas(), m.width, m.height);
    return m;
}

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in;
        int out;
    } cases[] = {{1.5, 2}, {2.5, 2}, {4.5, 4}, {7.5, 8}, {9.75, 10}, {9.25, 9}, {0.5, 0}, {11.0, 11}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
}

TEST_F(MeasureItemTest, TextHeightGivesThreeQuartersMore) {
    TMenuItem* item = AddItem("Add Circle");
    const int th = FontCanvas().TextHeight("Add Circle");
    ASSERT_GT(th, 0);
    EXPECT_EQ(Measure(*painter_, *item, 0, 0).height, th + RoundHalfEven(0.75 * th));

    // A positive font height is the cell height: 13 pixels of text make an
    // item 23 high (13 + 9.75 rounded).
    TFont font = painter_->Font();
    font.Height = 13;
    painter_->SetFont(font);
    ASSERT_EQ(FontCanvas().TextHeight("Add Circle"), 13);
    EXPECT_EQ(Measure(*painter_, *item, 0, 0).height, 23);
    EXPECT_EQ(Measure(*painter_, *item, 0, 30).height, 30);
}

TEST_F(MeasureItemTest, WidthIsTextPlusFivePlusIconColumnWithOneAmpersandTakenOff) {
    TCanvas& font = FontCanvas();
    const int amp = font.TextWidth("&");
    ASSERT_GT(amp, 0);
    const struct {
        const char* caption;
        int expected;
    } cases[] = {
        {"Add Circle", font.TextWidth("Add Circle") + 5 + 24},
        {"Add &Rectangle", font.TextWidth("Add &Rectangle") + 5 - amp + 24},
        // However many "&" there are, one is taken off.
        {"A&&B &C", font.TextWidth("A&&B &C") + 5 - amp + 24},
        {"&Close", font.TextWidth("&Close") + 5 - amp + 24},
    };
    for (const auto& c : cases) {
        TMenuItem* item = AddItem(c.caption);
        EXPECT_EQ(Measure(*painter_, *item, 0, 0).width, c.expected) << c.caption;
    }
}

TEST_F(MeasureItemTest, SubMenuShortcutAndImageWidenTheItem) {
    TCanvas& font = FontCanvas();
    TMenuItem* parent = AddItem("Shapes");
    parent->Add(AddItem("Square"));
    EXPECT_EQ(Measure(*painter_, *parent, 0, 0).width, font.TextWidth("Shapes") + 5 + 6 + 24);

    TMenuItem* save = AddItem("Save");
    save->ShortCut = TShortCut(scCtrl | 'S');
    ASSERT_EQ(ShortCutToText(save->ShortCut), "Ctrl+S");
    EXPECT_EQ(Measure(*painter_, *save, 0, 0).width, font.TextWidth("SaveCtrl+SWWW") + 5 + 24);

    // The icon column is the least image width; a wider image takes its place.
    TMenuItem* narrow = AddItem("Narrow");
    narrow->Bitmap().SetSize(16, 16);
    EXPECT_EQ(Measure(*painter_, *narrow, 0, 0).width, font.TextWidth("Narrow") + 5 + 24);
    TMenuItem* wide = AddItem("Wide");
    wide->Bitmap().SetSize(40, 30);
    const Measured m = Measure(*painter_, *wide, 0, 0);
    EXPECT_EQ(m.width, font.TextWidth("Wide") + 5 + 40);
    EXPECT_EQ(m.height, std::max(30 + 6, font.TextHeight("Wide") + RoundHalfEven(0.75 * font.TextHeight("Wide"))));
}

TEST_F(MeasureItemTest, MenuImageListCountsWheneverTheItemNamesAnIndex) {
    TImageList* images = new TImageList(root_.get());
    images->Width = 32;
    images->Height = 28;
    popup_->Images = images;
    TCanvas& font = FontCanvas();
    // No picture at index 5 yet: the list's size still counts.
    TMenuItem* listed = AddItem("Listed");
    listed->ImageIndex = 5;
    const Measured m = Measure(*painter_, *listed, 0, 0);
    EXPECT_EQ(m.width, font.TextWidth("Listed") + 5 + 32);
    EXPECT_EQ(m.height, std::max(28 + 6, font.TextHeight("Listed") + RoundHalfEven(0.75 * font.TextHeight("Listed"))));
    // Without an index the item's own bitmap is taken instead.
    TMenuItem* own = AddItem("Own");
    own->Bitmap().SetSize(36, 10);
    EXPECT_EQ(Measure(*painter_, *own, 0, 0).width, font.TextWidth("Own") + 5 + 36);
}

TEST_F(MeasureItemTest, ProposedSizesAreOnlyRaisedButASeparatorIsFourHigh) {
    TMenuItem* item = AddItem("Add Circle");
    const Measured natural = Measure(*painter_, *item, 0, 0);
    const Measured bigger = Measure(*painter_, *item, natural.width + 50, natural.height + 9);
    EXPECT_EQ(bigger.width, natural.width + 50);
    EXPECT_EQ(bigger.height, natural.height + 9);
    const Measured smaller = Measure(*painter_, *item, natural.width - 10, natural.height - 5);
    EXPECT_EQ(smaller.width, natural.width);
    EXPECT_EQ(smaller.height, natural.height);

    TMenuItem* line = AddItem("-");
    for (int proposed : {0, 3, 4, 17, 100}) {
        const Measured m = Measure(*painter_, *line, 0, proposed);
        EXPECT_EQ(m.height, 4) << proposed;
        EXPECT_EQ(m.width, 5 + 24) << "a separator has no text";
    }
}

TEST_F(MeasureItemTest, TopLevelItemsHaveNoIconColumnNorSubMenuArrow) {
    TMainMenu* bar = new TMainMenu(root_.get());
    TMenuItem* file = AddItem("&File", bar);
    file->Add(AddItem("Open"));
    ASSERT_TRUE(file->IsTopLevel());
    TCanvas& font = FontCanvas();
    EXPECT_EQ(Measure(*painter_, *file, 0, 0).width, font.TextWidth("&File") + 5 - font.TextWidth("&"));
}

TEST_F(MeasureItemTest, SomethingOtherThanAMenuItemIsLeftAsProposed) {
    TComponent other(nullptr);
    TBitmap surface(8, 8);
    int width = 7, height = 9;
    painter_->MeasureMenuItem(&other, surface.Canvas(), width, height);
    EXPECT_EQ(width, 7);
    EXPECT_EQ(height, 9);
}

}  // namespace
}  // namespace veilix::testing
