// Painting menu items with the stencil window's painter settings, read back
// pixel by pixel from the target surface: the gradient, the selection box, the
// marks, the icon effects, the bar selection, failure handling and the frame
// requests that follow popup items.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QFontInfo>
#include <QImage>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "menu_painter/colour_ops.h"
#include "menu_painter/item_painting/item_layout.h"
#include "menu_painter/item_painting/item_painter.h"
#include "platform/core/exception.h"
#include "platform/core/shortcut.h"
#include "platform/graphics/font_cache.h"
#include "platform/messages/hidden_window.h"
#include "support/colour_text.h"
#include "support/flat_menu_fixture.h"
#include "support/system_colours.h"

namespace veilix::testing {
namespace {

constexpr TColor kUntouched = RGBColor(255, 0, 255);
const TRect kItem{10, 5, 160, 27};  // 150 x 22 on a 200 x 40 surface

// The ramp level of the column k pixels right of the icon column's left.
int GradientLevel(int k) { return k == 0 ? 1 : std::min(96, k <= 28 ? 1 + 3 * k : 85 + (k - 28)); }

// The icon column, mark box and text rectangle for a popup item's work
// rectangle (4, 0, 154, 23) and a bar item's (0, 0, 60, 20), icon column 24.
TEST(ItemLayoutTest, PartsFollowImageWidthReadingOrderAndBar) {
    const TRect popup{4, 0, 154, 23};
    const TRect bar{0, 0, 60, 20};
    const struct {
        const char* name;
        TRect work;
        int imageWidth;
        bool topLevel, rightToLeft;
        TItemLayout expected;
    } cases[] = {
        {"popup, no image", popup, 0, false, false, {{4, 0, 28, 23}, {11, 6, 21, 16}, {28, 0, 154, 23}}},
        {"popup, narrow image", popup, 16, false, false, {{4, 0, 28, 23}, {5, 2, 25, 21}, {28, 0, 154, 23}}},
        {"popup, wide image", popup, 32, false, false, {{4, 0, 28, 23}, {5, 2, 37, 21}, {40, 0, 154, 23}}},
        {"right to left, narrow image",
         popup,
         16,
         false,
         true,
         {{130, 0, 154, 23}, {131, 2, 151, 21}, {4, 0, 130, 23}}},
        {"right to left, wide image", popup, 32, false, true, {{130, 0, 154, 23}, {119, 2, 151, 21}, {4, 0, 114, 23}}},
        {"bar, no image", bar, 0, true, false, {{0, 0, 24, 20}, {7, 4, 17, 14}, {0, 0, 60, 20}}},
        {"bar, image", bar, 16, true, false, {{0, 0, 24, 20}, {1, 1, 21, 17}, {15, 0, 60, 20}}},
        {"bar, right to left, image", bar, 16, true, true, {{36, 0, 60, 20}, {37, 1, 57, 17}, {0, 0, 41, 20}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TItemShape shape;
        shape.IconWidth = 24;
        shape.ImageWidth = c.imageWidth;
        shape.HasImage = c.imageWidth > 0;
        shape.TopLevel = c.topLevel;
        shape.RightToLeft = c.rightToLeft;
        const TItemLayout got = LayOutItem(c.work, shape);
        EXPECT_EQ(got.IconColumn, c.expected.IconColumn);
        EXPECT_EQ(got.MarkBox, c.expected.MarkBox);
        EXPECT_EQ(got.TextRect, c.expected.TextRect);
    }
}

class PaintItemTest : public FlatMenuItemTest {
protected:
    void SetUp() override {
        FlatMenuItemTest::SetUp();
        target_.Canvas().Brush.Color = kUntouched;
        target_.Canvas().FillRect(TRect{0, 0, target_.Width(), target_.Height()});
    }

    void Paint(TMenuItem& item, bool selected, const TRect& rect = kItem) {
        painter_->PaintMenuItem(item, target_.Canvas(), rect, selected);
    }

    // The item painted without its caption and shortcut: what lies under
    // the text.
    TBitmap Blank(TMenuItem& item, bool selected, const TRect& rect) {
        const std::string caption = std::exchange(item.Caption, "");
        const TShortCut shortCut = std::exchange(item.ShortCut, TShortCut(0));
        Paint(item, selected, rect);
        item.Caption = caption;
        item.ShortCut = shortCut;
        return target_;
    }

    // Text as items draw it: transparent, in the painter's font.
    void DrawText(TBitmap& on, const std::string& text, const TRect& rect, unsigned flags, TColor colour) {
        TCanvas& canvas = on.Canvas();
        canvas.Font = painter_->Font();
        canvas.Font.Color = colour;
        canvas.BackgroundMode = TBackgroundMode::bkTransparent;
        canvas.DrawText(text, rect, flags);
    }

    // Where a caption's text starts: 3 pixels into the text rectangle, and
    // down by half of what its height leaves beside a "W". A popup item's
    // text rectangle starts after the icon column and is one row taller
    // than the item.
    TRect PopupCell(const TRect& item) {
        const int height = item.Height() + 1;
        return {item.Left + 24 + 3, item.Top + (height - FontCanvas().TextHeight("W")) / 2, item.Right, item.Bottom};
    }
    TRect BarCell(const TRect& item) {
        return {item.Left + 3, item.Top + (item.Height() - FontCanvas().TextHeight("W")) / 2, item.Right, item.Bottom};
    }

    // The whole target against what it should show.
    void ExpectPixels(const TBitmap& expected) const {
        int mismatches = 0;
        std::string first;
        for (int y = 0; y < target_.Height(); ++y)
            for (int x = 0; x < target_.Width(); ++x)
                if (At(x, y) != expected.Pixel(x, y) && mismatches++ == 0)
                    first = std::to_string(x) + "," + std::to_string(y) + ": " + Rgb(At(x, y)) + " not " +
                            Rgb(expected.Pixel(x, y));
        EXPECT_EQ(mismatches, 0) << "first at " << first;
    }

    // A painter with the same settings, owned by form.
    TFlatMenu* PainterOf(TForm& form) {
        auto* painter = new TFlatMenu(&form);
        painter->SetUseDimColor(true);
        painter->SetGradient(true);
        painter->SetFlatMenu(true);
        painter->SetDrawMenuBar(true);
        painter->SetFont(painter_->Font());
        painter->DerivePalette(FontCanvas());
        return painter;
    }

    TColor At(int x, int y) const { return target_.Pixel(x, y); }
    TColor Gradient(int k) const { return LightenColor(painter_->Palette().IconColumnColor, GradientLevel(k)); }

    // Every pixel of column x over the item's rows.
    void ExpectColumn(int x, TColor expected, const char* what) const {
        for (int y = kItem.Top; y < kItem.Bottom; ++y)
            ASSERT_EQ(At(x, y), expected)
                << what << " at " << x << "," << y << ": " << Rgb(At(x, y)) << " not " << Rgb(expected);
    }

    TBitmap target_{200, 40};
};

TEST_F(PaintItemTest, AddCircleLiesOnTheGradientWithItsTextAfterTheIconColumn) {
    ASSERT_EQ(painter_->Palette().IconColumnColor, LightenColor(kFace, 16));
    TMenuItem* item = AddItem("Add Circle");
    Paint(*item, false);

    for (int x = kItem.Left - 4; x < kItem.Left; ++x) ExpectColumn(x, clWhite, "margin left of the item");
    ExpectColumn(kItem.Left - 5, kUntouched, "left of the copy");
    for (int x = kItem.Left; x < kItem.Right; ++x) {
        EXPECT_EQ(At(x, kItem.Top - 1), kUntouched) << "row above, column " << x;
        EXPECT_EQ(At(x, kItem.Bottom), kUntouched) << "row below, column " << x;
    }

    TCanvas& font = FontCanvas();
    const int textLeft = kItem.Left + 24 + 3;  // the icon column, then 3 pixels
    const int inkLeft = textLeft + font.TextWidth(" ");
    const int textRight = textLeft + font.TextWidth(" Add Circle");
    ASSERT_LT(textRight, kItem.Right - 1);
    // Before the text and after it, each column is one colour of the ramp;
    // a glyph may reach one pixel left of its advance.
    for (int x = kItem.Left; x < inkLeft - 1; ++x) ExpectColumn(x, Gradient(x - kItem.Left), "ramp before the text");
    for (int x = textRight + 1; x < kItem.Right; ++x) ExpectColumn(x, Gradient(x - kItem.Left), "ramp after the text");
    EXPECT_EQ(Gradient(0), LightenColor(LightenColor(kFace, 16), 1));
    EXPECT_EQ(Gradient(28), LightenColor(LightenColor(kFace, 16), 85));
    EXPECT_EQ(Gradient(38), LightenColor(LightenColor(kFace, 16), 95));
    EXPECT_EQ(Gradient(39), LightenColor(LightenColor(kFace, 16), 96));

    // The caption's first letter is inked right after the leading space.
    bool inkNearStart = false;
    for (int x = inkLeft - 1; x < inkLeft + font.TextWidth("A"); ++x)
        for (int y = kItem.Top; y < kItem.Bottom; ++y)
            if (RedOf(At(x, y)) + GreenOf(At(x, y)) + BlueOf(At(x, y)) < 300) inkNearStart = true;
    EXPECT_TRUE(inkNearStart);
}

constexpr unsigned kTextFlags = DT_LEFT | DT_SINGLELINE | DT_EXPANDTABS;

// The caption one pixel off in either direction is another picture: the item
// is compared with its text drawn at the cell, for an even and an odd height
// (the text rectangle is one row taller than the item).
TEST_F(PaintItemTest, CaptionIsDrawnAtItsCellInTheProgramsFont) {
    ASSERT_EQ(QFontInfo(FontFor(painter_->Font()).font).family().toStdString(), "Tahoma")
        << "Tahoma is not installed (Debian: fonts-wine); another font would not show the caption's place";
    for (int height : {22, 23}) {
        SCOPED_TRACE(::testing::Message() << "item height " << height);
        const TRect rect{kItem.Left, kItem.Top, kItem.Right, kItem.Top + height};
        TMenuItem* item = AddItem("Add Circle");
        TBitmap expected = Blank(*item, false, rect);
        DrawText(expected, " Add Circle", PopupCell(rect), kTextFlags, painter_->Font().Color);
        Paint(*item, false, rect);
        ExpectPixels(expected);
    }
}

TEST_F(PaintItemTest, DefaultItemShortcutSeparatorAndAccessLetterAreDrawnInPlace) {
    const TColor ink = painter_->Font().Color;
    const struct {
        const char* name;
        const char* caption;
        int height;
        std::function<void(TMenuItem&)> setUp;
        std::function<void(TBitmap&, const TRect&)> draw;
    } cases[] = {
        {"default item: four darker copies under the text", "Open", 22, [](TMenuItem& item) { item.Default = true; },
         [&](TBitmap& on, const TRect& rect) {
             const TRect cell = PopupCell(rect);
             const struct {
                 int dLeft, dTop, dRight, amount;
             } passes[] = {{1, 0, 1, 30}, {1, 2, 1, 30}, {0, 1, 0, 40}, {1, 1, 1, 60}};
             for (const auto& p : passes) {
                 const TRect moved{cell.Left + p.dLeft, cell.Top + p.dTop, cell.Right + p.dRight, cell.Bottom};
                 DrawText(on, " Open", moved, kTextFlags, DarkenColor(on.Pixel(moved.Left, moved.Top), p.amount));
             }
             DrawText(on, " Open", cell, kTextFlags, ink);
         }},
        {"shortcut: right-aligned, 10 pixels short of the right", "Save", 22,
         [](TMenuItem& item) { item.ShortCut = TShortCut(scCtrl | 'S'); },
         [&](TBitmap& on, const TRect& rect) {
             const TRect cell = PopupCell(rect);
             DrawText(on, " Save", cell, kTextFlags, ink);
             DrawText(on, "Ctrl+S ", TRect{cell.Left, cell.Top, cell.Right - 10, cell.Bottom}, DT_RIGHT | DT_SINGLELINE,
                      ink);
         }},
        // Halfway down the 5 rows of the text rectangle: 2.5, to even.
        {"separator: a line from 7 pixels into the text rectangle", "-", 4, nullptr,
         [&](TBitmap& on, const TRect& rect) {
             TCanvas& canvas = on.Canvas();
             canvas.Pen.Color = painter_->Palette().SeparatorLineColor;
             canvas.MoveTo(rect.Left + 24 + 7, rect.Top + 2);
             canvas.LineTo(rect.Right, rect.Top + 2);
         }},
        {"access letter: underlined, the ampersand not shown", "Add &Rectangle", 22, nullptr,
         [&](TBitmap& on, const TRect& rect) { DrawText(on, " Add &Rectangle", PopupCell(rect), kTextFlags, ink); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TRect rect{kItem.Left, kItem.Top, kItem.Right, kItem.Top + c.height};
        TMenuItem* item = AddItem(c.caption);
        if (c.setUp) c.setUp(*item);
        TBitmap expected = Blank(*item, false, rect);
        c.draw(expected, rect);
        Paint(*item, false, rect);
        ExpectPixels(expected);
    }
}

TEST_F(PaintItemTest, TextColourFollowsTheItemsState) {
    const TColor ownSelectText = RGBColor(0, 120, 0);
    const TColor darkFace = RGBColor(20, 40, 60);
    const TColor font = painter_->Font().Color;
    // A dark face gives a dark icon column, whose contrast colour is its
    // light tint rather than the font colour.
    const TColor contrast = LightenColor(LightenColor(darkFace, 16), 90);
    ASSERT_NE(ColorToRGB(contrast), ColorToRGB(font));
    const struct {
        const char* name;
        bool systemColours, darkFace, bar, selected, enabled;
        TColor expected;
    } cases[] = {
        {"resting", false, false, false, false, true, font},
        {"selected", false, false, false, true, true, ownSelectText},
        {"disabled: the palette's colour, not DisabledColor", true, false, false, false, false,
         LightenColor(kShadow, 10)},
        {"disabled and selected", true, false, false, true, false, LightenColor(kShadow, 10)},
        {"selected popup item on a dark face", true, true, false, true, true, font},
        {"selected bar item on a dark face: the contrast colour", true, true, true, true, true, contrast},
        {"selected bar item with own colours", false, true, true, true, true, ownSelectText},
    };
    TMainMenu* menuBar = new TMainMenu(root_.get());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SystemColorTable table = FixedSystemColourTable();
        if (c.darkFace) table[clBtnFace & 0xFF] = darkFace;
        SetSystemColors(table);
        painter_->SetUseSystemColors(c.systemColours);
        painter_->SetSelectFontColor(ownSelectText);
        painter_->DerivePalette(FontCanvas());

        TMenuItem* item = AddItem("Wide", c.bar ? static_cast<TMenu*>(menuBar) : popup_);
        item->Enabled = c.enabled;
        const TRect rect = c.bar ? TRect{10, 5, 70, 25} : kItem;
        TBitmap expected = Blank(*item, c.selected, rect);
        DrawText(expected, " Wide", c.bar ? BarCell(rect) : PopupCell(rect), kTextFlags, c.expected);
        Paint(*item, c.selected, rect);
        ExpectPixels(expected);
    }
}

// Without the gradient the item lies on the menu colour, which covers the four
// columns left of it too.
TEST_F(PaintItemTest, PlainBackgroundStartsFourColumnsLeftOfTheItem) {
    const TColor menu = RGBColor(200, 180, 160);
    const TColor column = RGBColor(90, 100, 110);
    painter_->SetUseSystemColors(false);
    painter_->SetColor(menu);
    painter_->SetIconBackColor(column);
    painter_->SetGradient(false);
    painter_->DerivePalette(FontCanvas());
    Paint(*AddItem("Add Circle"), false);
    ExpectColumn(kItem.Left - 5, kUntouched, "left of the copy");
    for (int x = kItem.Left - 4; x < kItem.Left; ++x) ExpectColumn(x, menu, "left of the item");
    for (int x = kItem.Left; x < kItem.Left + 24; ++x) ExpectColumn(x, column, "icon column");
    for (int x = kItem.Left + 24; x < kItem.Left + 27; ++x) ExpectColumn(x, menu, "before the text");
    ExpectColumn(kItem.Right - 1, menu, "last column");
}

TEST_F(PaintItemTest, RightToLeftRampStartsAtTheIconColumnOnTheRight) {
    popup_->BiDiMode = TBiDiMode::bdRightToLeft;
    Paint(*AddItem("Add Circle"), false);
    for (int k = 0; k < 24; ++k) ExpectColumn(kItem.Right - 1 - k, Gradient(k), "mirrored ramp");
    for (int x = kItem.Left; x < kItem.Left + 4; ++x) ExpectColumn(x, Gradient(96), "far end of the ramp");
    for (int x = kItem.Left - 4; x < kItem.Left; ++x) ExpectColumn(x, clWhite, "margin");
}

TEST_F(PaintItemTest, SelectionBoxIsOneRowInAndOneColumnShortOnTheRight) {
    const TColor frame = kHighlight;
    const TColor fill = LightenColor(kHighlight, 68);
    const struct {
        bool flatMenu;
        int boxRight;  // last column of the box
    } cases[] = {{true, kItem.Right - 2}, {false, kItem.Right - 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flatMenu ? "flat menu" : "plain frame");
        painter_->SetFlatMenu(c.flatMenu);
        TMenuItem* item = AddItem("Add Circle");
        Paint(*item, true);
        const int top = kItem.Top + 1, bottom = kItem.Bottom - 1;
        for (int x = kItem.Left; x <= c.boxRight; ++x) {
            EXPECT_EQ(At(x, kItem.Top), Gradient(x - kItem.Left)) << "first row stays background, column " << x;
            EXPECT_EQ(At(x, top), frame) << "top edge, column " << x;
            EXPECT_EQ(At(x, bottom), frame) << "bottom edge, column " << x;
        }
        for (int y = top; y <= bottom; ++y) {
            EXPECT_EQ(At(kItem.Left, y), frame) << "left edge on the icon column, row " << y;
            EXPECT_EQ(At(c.boxRight, y), frame) << "right edge, row " << y;
        }
        if (c.boxRight < kItem.Right - 1) ExpectColumn(kItem.Right - 1, Gradient(kItem.Width() - 1), "past the box");
        EXPECT_EQ(At(kItem.Left + 1, top + 1), fill);
        EXPECT_EQ(At(kItem.Left + 20, bottom - 1), fill);
        for (int x = kItem.Left - 4; x < kItem.Left; ++x) ExpectColumn(x, clWhite, "margin");
    }
}

TEST_F(PaintItemTest, NoBoxWithoutDrawSelectOrOnADisabledItem) {
    TMenuItem* plain = AddItem("Add Circle");
    TMenuItem* disabled = AddItem("Add Circle");
    disabled->Enabled = false;
    Paint(*disabled, true);
    EXPECT_EQ(At(kItem.Left, kItem.Top + 1), Gradient(0));
    EXPECT_EQ(At(kItem.Left + 5, kItem.Top + 1), Gradient(5));

    painter_->SetDrawSelect(false);
    Paint(*plain, true);
    ExpectColumn(kItem.Left, Gradient(0), "no box edge");
    ExpectColumn(kItem.Right - 2, Gradient(kItem.Width() - 2), "no box edge");
}

// The mark box of an item without image: 10 x 10, centred in the icon column,
// which is one row taller than the item.
struct MarkBox {
    int L = kItem.Left + 7;
    int T = kItem.Top + (kItem.Height() + 1 - 10) / 2;
    int R = L + 10;
    int B = T + 10;
};

TEST_F(PaintItemTest, CheckedItemGetsAFilledBoxAndABlackTick) {
    const MarkBox m;
    const TColor disabled = LightenColor(kShadow, 10);
    const struct {
        const char* name;
        bool selected, enabled;
        TColor fill, edge, tick;
    } cases[] = {
        {"not selected", false, true, LightenColor(kHighlight, 80), kHighlight, clBlack},
        {"selected", true, true, LightenColor(kHighlight, 50), kHighlight, clBlack},
        // The fill keeps whatever brush there was: only the lines are pinned.
        {"disabled: box and tick in the disabled text colour", false, false, 0, disabled, disabled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMenuItem* item = AddItem("Grid");
        item->Checked = true;
        item->Enabled = c.enabled;
        Paint(*item, c.selected);
        // The tick's long stroke runs out over the right edge; the others are whole.
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(At(m.L, m.T + i), c.edge) << "box left edge " << i;
            EXPECT_EQ(At(m.L + i, m.T), c.edge) << "box top edge " << i;
            EXPECT_EQ(At(m.L + i, m.B - 1), c.edge) << "box bottom edge " << i;
        }
        if (c.enabled) {
            EXPECT_EQ(At(m.L + 2, m.T + 2), c.fill);
            EXPECT_EQ(At(m.L + 7, m.T + 7), c.fill);
        }
        for (auto [x, y] : {std::pair{m.L + 1, m.T + 5}, {m.L + 2, m.T + 4}, {m.L + 4, m.B - 3}, {m.L + 6, m.T + 5}})
            EXPECT_EQ(At(x, y), c.tick) << "tick at " << x - m.L << "," << y - m.T;
    }
}

TEST_F(PaintItemTest, CheckedRadioItemGetsADotAndAnUncheckedOneNothing) {
    const MarkBox m;
    TMenuItem* radio = AddItem("Fine");
    radio->RadioItem = true;
    radio->Checked = true;
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        const TColor pen = enabled ? kHighlight : LightenColor(kShadow, 10);
        radio->Enabled = enabled;
        Paint(*radio, false);
        for (int dx : {4, 5})
            for (int dy : {4, 5}) EXPECT_EQ(At(m.L + dx, m.T + dy), pen) << "dot " << dx << "," << dy;
        EXPECT_EQ(At(m.L, m.T), Gradient(7)) << "a circle leaves the box's corner";
        EXPECT_EQ(At(m.L, m.T + 5), pen) << "ring";
    }
    radio->Enabled = true;

    TMenuItem* plain = AddItem("Fine");
    Paint(*plain, false);
    const TBitmap plainPixels = target_;
    radio->Checked = false;
    Paint(*radio, false);
    for (int y = 0; y < target_.Height(); ++y)
        for (int x = 0; x < target_.Width(); ++x) ASSERT_EQ(At(x, y), plainPixels.Pixel(x, y)) << x << "," << y;
}

constexpr TColor kIconGround = RGBColor(10, 200, 10);

// An icon 16 high on a green ground (its bottom-left pixel) with a red square
// and a blue stroke. Its other corners differ from the ground, so that only
// the bottom-left one can be taken for the transparent colour.
TBitmap TestIcon(int width = 16) {
    TBitmap icon(width, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < width; ++x) {
            TColor c = kIconGround;
            if (x >= 3 && x <= 12 && y >= 3 && y <= 12) c = RGBColor(200, 40, 40);
            if (x == 8) c = RGBColor(30, 60, 250);
            icon.SetPixel(x, y, c);
        }
    icon.SetPixel(0, 0, RGBColor(250, 220, 0));
    icon.SetPixel(width - 1, 0, RGBColor(120, 0, 160));
    icon.SetPixel(width - 1, 15, RGBColor(0, 150, 150));
    return icon;
}

// Every pixel of the icon but its ground at (x0, y0), changed by effect.
void ExpectIconAt(const TBitmap& target, const TBitmap& icon, int x0, int y0,
                  const std::function<TColor(TColor)>& effect) {
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x) {
            const TColor p = icon.Pixel(x, y);
            if (p == kIconGround) continue;
            ASSERT_EQ(target.Pixel(x0 + x, y0 + y), effect(p)) << x << "," << y << " from " << Rgb(p);
        }
}

TEST_F(PaintItemTest, IconEffectsFollowTheItemState) {
    const TColor ground = kIconGround;
    const TColor silhouette = DarkenColor(LightenColor(kHighlight, 68), 50);
    const struct {
        const char* name;
        bool enabled, selected, checked;
        int shift;  // the icon moves up and left by this
        std::function<TColor(TColor)> effect;
    } cases[] = {
        {"disabled: greyed, then lightened by 40 %", false, false, false, 0,
         [](TColor c) { return LightenColor(GrayColor(c, 10), 40); }},
        {"resting: dimmed by DimLevel", true, false, false, 0, [](TColor c) { return LightenColor(c, 30); }},
        {"highlighted: lifted, full colour", true, true, false, 1, [](TColor c) { return c; }},
        {"checked: full colour in place", true, false, true, 0, [](TColor c) { return c; }},
    };
    const TBitmap icon = TestIcon();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMenuItem* item = AddItem("Shape");
        item->Bitmap() = icon;
        item->Enabled = c.enabled;
        item->Checked = c.checked;
        Paint(*item, c.selected);
        const int x0 = kItem.Left + (24 - 16) / 2 - 1 - c.shift;
        const int y0 = kItem.Top + 3 - c.shift;
        ExpectIconAt(target_, icon, x0, y0, c.effect);
        if (!c.selected && !c.checked) {
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    if (icon.Pixel(x, y) == ground) {
                        ASSERT_EQ(At(x0 + x, y0 + y), Gradient(x0 + x - kItem.Left))
                            << "ground left out " << x << "," << y;
                    }
        }
        // The lifted icon casts its silhouette 2 pixels down and right.
        if (c.selected) {
            EXPECT_EQ(At(x0 + 2 + 12, y0 + 2 + 12), silhouette);
        }
    }
}

// Bar items put their icon one pixel into the icon column and lift it 2 up
// and 1 left when highlighted; popup icons as wide as the column or wider sit
// 2 pixels from the column's outer edge.
TEST_F(PaintItemTest, IconPlaceFollowsTheKindOfItemAndTheReadingOrder) {
    const TRect bar{10, 5, 70, 25};
    auto dimmed = [](TColor c) { return LightenColor(c, 30); };
    auto full = [](TColor c) { return c; };
    const struct {
        const char* name;
        bool onBar, rightToLeft, selected;
        int width;
        int x0, y0;
        std::function<TColor(TColor)> effect;
    } cases[] = {
        {"bar item", true, false, false, 16, bar.Left + 1, bar.Top + 3, dimmed},
        {"bar item, highlighted", true, false, true, 16, bar.Left, bar.Top + 1, full},
        {"bar item, right to left", true, true, false, 16, bar.Right - 16 - 5, bar.Top + 3, dimmed},
        {"wide popup icon", false, false, false, 32, kItem.Left + 2, kItem.Top + 3, dimmed},
        {"wide popup icon, right to left", false, true, false, 32, kItem.Right - 32 - 2, kItem.Top + 3, dimmed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMenu* menu = c.onBar ? static_cast<TMenu*>(new TMainMenu(root_.get())) : popup_;
        menu->BiDiMode = c.rightToLeft ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight;
        TMenuItem* item = AddItem("", menu);
        const TBitmap icon = TestIcon(c.width);
        item->Bitmap() = icon;
        Paint(*item, c.selected, c.onBar ? bar : kItem);
        ExpectIconAt(target_, icon, c.x0, c.y0, c.effect);
    }
}

// With an image the mark is a frame around it, in the selection's frame
// colour: rounded for a radio item, square for a check.
TEST_F(PaintItemTest, MarksOfItemsWithAnImageFrameTheImage) {
    const TColor selectBorder = RGBColor(0, 90, 0);
    const TColor checkFill = RGBColor(220, 230, 120);
    painter_->SetUseSystemColors(false);
    painter_->SetUseDimColor(false);
    painter_->SetSelectBorderColor(selectBorder);
    painter_->SetCheckedColor(RGBColor(150, 0, 0));
    painter_->SetSelectColor(checkFill);
    painter_->DerivePalette(FontCanvas());
    // The icon column inset by 1, 2, 3 and 2; the icon sits inside it.
    const int L = kItem.Left + 1, T = kItem.Top + 2, R = kItem.Left + 21, B = kItem.Top + 21;
    for (bool radio : {true, false}) {
        SCOPED_TRACE(radio ? "radio" : "check");
        TMenuItem* item = AddItem("Shape");
        item->Bitmap() = TestIcon();
        item->Checked = true;
        item->RadioItem = radio;
        Paint(*item, false);
        for (auto [x, y] : {std::pair{L, T + 9}, {R - 1, T + 9}, {L + 9, T}, {L + 9, B - 1}})
            EXPECT_EQ(At(x, y), selectBorder) << "frame at " << x - L << "," << y - T;
        EXPECT_EQ(At(L + 1, T + 9), checkFill) << "inside the frame";
        if (radio)
            EXPECT_NE(At(L, T), selectBorder) << "a rounded corner";
        else
            EXPECT_EQ(At(L, T), selectBorder) << "a square corner";
    }
}

struct BarPixel {
    int dx, dy;  // from the item's top-left, or (negative) from its bottom-right
    TColor expected;
    const char* what;
};

// Left to right on a high-colour device the box is open on the right, where a
// soft shadow in shades of the bar follows; right to left or with few colours
// the box reaches 3 pixels short of the right, beside a plain two-tone strip.
TEST_F(PaintItemTest, SelectedBarItemGetsABoxAndAShadowInTheBarColour) {
    const TColor bar = RGBColor(200, 100, 50);
    const TColor fill = LightenColor(kHighlight, 68);
    const std::vector<BarPixel> plainStrip = {
        {0, 3, kHighlight, "left edge"},
        {5, 0, kHighlight, "top edge"},
        {-3, 3, kHighlight, "right edge"},
        {-3, -1, kHighlight, "right edge, last row"},
        {-2, 2, DarkenColor(bar, 70), "strip"},
        {-1, -1, DarkenColor(bar, 70), "strip, last row"},
        {-2, 0, bar, "strip top"},
        {-1, 1, bar, "strip top"},
    };
    const struct {
        const char* name;
        bool rightToLeft;
        QImage::Format device;
        std::vector<BarPixel> pixels;
    } cases[] = {
        {"left to right",
         false,
         QImage::Format_RGB32,
         {
             {0, 3, kHighlight, "left edge"},
             {5, 0, kHighlight, "top edge"},
             {-8, 3, kHighlight, "right edge"},
             {-8, -1, kHighlight, "right edge, last row"},
             {-7, 1, DarkenColor(bar, 10), "outer shadow"},
             {-3, -1, DarkenColor(bar, 30), "second shadow"},
             {-4, -1, DarkenColor(bar, 60), "third shadow"},
             {-7, -1, DarkenColor(bar, 100), "inner shadow"},
             {-1, 3, bar, "highlight line"},
             {-6, 6, DarkenColor(bar, 40), "last stroke"},
         }},
        {"right to left", true, QImage::Format_RGB32, plainStrip},
        {"15-bit surface", false, QImage::Format_RGB555, plainStrip},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        painter_->SetMenuBarColor(bar);
        QImage device(1, 1, c.device);
        painter_->DerivePalette(TCanvas(device));
        TMainMenu* menuBar = new TMainMenu(root_.get());
        menuBar->BiDiMode = c.rightToLeft ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight;
        TMenuItem* file = AddItem("&File", menuBar);
        AddItem("&Edit", menuBar);
        ASSERT_TRUE(file->IsTopLevel());
        const TRect r{10, 5, 70, 25};
        Paint(*file, true, r);

        EXPECT_EQ(painter_->Palette().BarColor, bar) << "the bar colour follows MenuBarColor";
        EXPECT_EQ(At(r.Left - 1, r.Top + 3), kUntouched) << "a bar item is copied to its own left edge";
        // Few colours make the fill white.
        const TColor inside = painter_->Palette().HighColor ? fill : clWhite;
        EXPECT_EQ(At(r.Left + 2, r.Top + 2), inside) << "fill";
        EXPECT_EQ(At(r.Left + 5, r.Bottom - 1), inside) << "no bottom edge";
        for (const BarPixel& p : c.pixels) {
            const int x = p.dx >= 0 ? r.Left + p.dx : r.Right + p.dx;
            const int y = p.dy >= 0 ? r.Top + p.dy : r.Bottom + p.dy;
            EXPECT_EQ(At(x, y), p.expected) << p.what << " at " << x << "," << y << ": " << Rgb(At(x, y));
        }
    }
}

// The pointer over a bar item makes it hot: a box 7 pixels short of the right.
TEST_F(PaintItemTest, ABarItemUnderThePointerIsHot) {
    std::unique_ptr<LoadingForm, FreeDeleter> form(new LoadingForm());
    form->SetLeft(100);
    form->SetTop(50);
    TFlatMenu* owned = PainterOf(*form);
    TMainMenu* menuBar = new TMainMenu(root_.get());
    TMenuItem* file = AddItem("&File", menuBar);
    TMenuItem* edit = AddItem("&Edit", menuBar);
    const TRect r{10, 5, 70, 25};
    auto pointAt = [&](int x, int y) { QCursor::setPos(form->Left() + x, form->Top() + y); };

    // Over means from the left edge to the last column, and from the top to
    // the second row from the bottom.
    const struct {
        int x, y;
        bool over;
    } places[] = {{10, 5, true}, {69, 23, true}, {70, 10, false}, {30, 24, false}, {9, 10, false}, {30, 4, false}};
    for (const auto& p : places) {
        pointAt(p.x, p.y);
        EXPECT_EQ(TFlatMenuItemPainter(*owned).MouseOverItem(r), p.over) << p.x << "," << p.y;
    }

    const TColor bar = kFace;
    pointAt(30, 10);
    owned->PaintMenuItem(*file, target_.Canvas(), r, false);
    EXPECT_EQ(At(r.Left, r.Top + 3), kHighlight) << "left edge";
    EXPECT_EQ(At(r.Left + 5, r.Bottom - 1), kHighlight) << "bottom edge";
    EXPECT_EQ(At(r.Right - 8, r.Top + 3), kHighlight) << "right edge";
    EXPECT_EQ(At(r.Right - 7, r.Top + 3), bar) << "beyond the box";
    EXPECT_EQ(At(r.Left + 2, r.Top + 2), LightenColor(kHighlight, 68)) << "fill";

    edit->Enabled = false;
    owned->PaintMenuItem(*edit, target_.Canvas(), r, false);
    EXPECT_EQ(At(r.Left, r.Top + 3), bar) << "a disabled item is never hot";
    pointAt(30, 30);
    owned->PaintMenuItem(*file, target_.Canvas(), r, false);
    EXPECT_EQ(At(r.Left, r.Top + 3), bar) << "the pointer elsewhere";
}

TEST_F(PaintItemTest, DrawMenuItemPaintsOnlyWhenActiveAndSwallowsFailures) {
    TMenuItem* item = AddItem("Add Circle");
    painter_->DrawMenuItem(item, target_.Canvas(), kItem, false);
    ExpectColumn(kItem.Left, kUntouched, "inactive painter");

    painter_->SetActive(true);
    painter_->DrawMenuItem(item, target_.Canvas(), kItem, false);
    ExpectColumn(kItem.Left, Gradient(0), "active painter");

    // An item too wide for its off-screen image cannot be painted.
    const TRect huge{0, 0, INT_MAX - 1, 20};
    EXPECT_THROW(painter_->PaintMenuItem(*item, target_.Canvas(), huge, false), EOutOfMemory);
    const TBitmap before = target_;
    EXPECT_NO_THROW(painter_->DrawMenuItem(item, target_.Canvas(), huge, false));
    for (int y = 0; y < target_.Height(); ++y)
        for (int x = 0; x < target_.Width(); ++x) ASSERT_EQ(At(x, y), before.Pixel(x, y));
    painter_->SetActive(false);
}

class FrameRequestTest : public PaintItemTest {
protected:
    void SetUp() override {
        PaintItemTest::SetUp();
        QCoreApplication::sendPostedEvents();  // nothing left from earlier tests
        ASSERT_NE(ApplicationHandle(), 0u);
        HookMainWindow(TWindowHook(this, &FrameRequestTest::Seen));
    }
    void TearDown() override {
        UnhookMainWindow(TWindowHook(this, &FrameRequestTest::Seen));
        PaintItemTest::TearDown();
    }

    void Seen(TMessage& message, bool&) {
        if (message.Msg == MsgFrameByItem || message.Msg == MsgFrameByWindow) requests_.push_back(message);
    }

    std::vector<TMessage> Deliver() {
        QCoreApplication::sendPostedEvents();
        return std::exchange(requests_, {});
    }

    void PaintAll(const std::vector<TMenuItem*>& items) {
        TRect r{3, 3, 150, 25};
        for (TMenuItem* item : items) {
            Paint(*item, false, r);
            r = {r.Left, r.Bottom, r.Right, r.Bottom + 22};
        }
    }

    std::vector<TMessage> requests_;
};

TEST_F(FrameRequestTest, FourItemsOffScreenAskOnceByItem) {
    const std::vector<TMenuItem*> items{AddItem("Add &Rectangle"), AddItem("Add Circle"), AddItem("Add &Ellipse"),
                                        AddItem("&Close")};
    PaintAll(items);
    EXPECT_TRUE(IsMessageQueued(ApplicationHandle(), MsgFrameByItem, MsgFrameByItem));
    auto seen = Deliver();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Msg, MsgFrameByItem);
    EXPECT_EQ(seen[0].WParam, 0u);
    EXPECT_EQ(seen[0].LParam, reinterpret_cast<std::intptr_t>(items[0]));

    // Once handled, the next painting asks again.
    PaintAll({items[3]});
    EXPECT_EQ(Deliver().size(), 1u);
}

TEST_F(FrameRequestTest, AMenuWindowSurfaceAsksByWindowWithItsReadingOrder) {
    target_.Canvas().WindowHandle = 0x5150;
    PaintAll({AddItem("One"), AddItem("Two")});
    auto seen = Deliver();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Msg, MsgFrameByWindow);
    EXPECT_EQ(seen[0].LParam, 0x5150);
    EXPECT_EQ(seen[0].WParam, 0u);

    popup_->BiDiMode = TBiDiMode::bdRightToLeft;
    PaintAll({AddItem("Three")});
    seen = Deliver();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].WParam, 1u);
}

TEST_F(FrameRequestTest, NoRequestWithoutFlatMenuOrForABarItem) {
    painter_->SetFlatMenu(false);
    PaintAll({AddItem("One")});
    EXPECT_TRUE(Deliver().empty());

    painter_->SetFlatMenu(true);
    TMainMenu* bar = new TMainMenu(root_.get());
    PaintAll({AddItem("&File", bar)});
    EXPECT_TRUE(Deliver().empty());

    // The owner window's own surface shows no popup menu to frame.
    std::unique_ptr<LoadingForm, FreeDeleter> form(new LoadingForm());
    TFlatMenu* owned = PainterOf(*form);
    ASSERT_NE(form->Handle(), 0u);
    target_.Canvas().WindowHandle = form->Handle();
    owned->PaintMenuItem(*AddItem("Two"), target_.Canvas(), kItem, false);
    EXPECT_TRUE(Deliver().empty());
    target_.Canvas().WindowHandle = 0x5150;
    owned->PaintMenuItem(*AddItem("Three"), target_.Canvas(), kItem, false);
    EXPECT_EQ(Deliver().size(), 1u) << "another window's surface still asks";
}

}  // namespace
}  // namespace veilix::testing
