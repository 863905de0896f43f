// Painting menu items with the stencil window's painter settings, read back
// pixel by pixel from the target surface: the gradient, the selection box, the
// marks, the icon effects, the bar selection, failure handling and the frame
// requests that follow popup items.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <climits>
#include <functional>
#include <utility>
#include <vector>

#include "menu_painter/colour_ops.h"
#include "menu_painter/item_painting/item_layout.h"
#include "platform/core/exception.h"
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
    const struct {
        bool selected;
        TColor fill;
    } cases[] = {{false, LightenColor(kHighlight, 80)}, {true, LightenColor(kHighlight, 50)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected ? "selected" : "not selected");
        TMenuItem* item = AddItem("Grid");
        item->Checked = true;
        Paint(*item, c.selected);
        // The tick's long stroke runs out over the right edge; the others are whole.
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(At(m.L, m.T + i), kHighlight) << "box left edge " << i;
            EXPECT_EQ(At(m.L + i, m.T), kHighlight) << "box top edge " << i;
            EXPECT_EQ(At(m.L + i, m.B - 1), kHighlight) << "box bottom edge " << i;
        }
        EXPECT_EQ(At(m.L + 2, m.T + 2), c.fill);
        EXPECT_EQ(At(m.L + 7, m.T + 7), c.fill);
        for (auto [x, y] : {std::pair{m.L + 1, m.T + 5}, {m.L + 2, m.T + 4}, {m.L + 4, m.B - 3}, {m.L + 6, m.T + 5}})
            EXPECT_EQ(At(x, y), clBlack) << "tick at " << x - m.L << "," << y - m.T;
    }
}

TEST_F(PaintItemTest, CheckedRadioItemGetsADotAndAnUncheckedOneNothing) {
    const MarkBox m;
    TMenuItem* radio = AddItem("Fine");
    radio->RadioItem = true;
    radio->Checked = true;
    Paint(*radio, false);
    for (int dx : {4, 5})
        for (int dy : {4, 5}) EXPECT_EQ(At(m.L + dx, m.T + dy), kHighlight) << "dot " << dx << "," << dy;
    EXPECT_EQ(At(m.L, m.T), Gradient(7)) << "a circle leaves the box's corner";
    EXPECT_EQ(At(m.L, m.T + 5), kHighlight) << "ring";

    TMenuItem* plain = AddItem("Fine");
    Paint(*plain, false);
    const TBitmap plainPixels = target_;
    radio->Checked = false;
    Paint(*radio, false);
    for (int y = 0; y < target_.Height(); ++y)
        for (int x = 0; x < target_.Width(); ++x) ASSERT_EQ(At(x, y), plainPixels.Pixel(x, y)) << x << "," << y;
}

// A 16 x 16 icon on a green ground (its bottom-left pixel) with a red square
// and a blue stroke.
TBitmap TestIcon() {
    TBitmap icon(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            TColor c = RGBColor(10, 200, 10);
            if (x >= 3 && x <= 12 && y >= 3 && y <= 12) c = RGBColor(200, 40, 40);
            if (x == 8) c = RGBColor(30, 60, 250);
            icon.SetPixel(x, y, c);
        }
    return icon;
}

TEST_F(PaintItemTest, IconEffectsFollowTheItemState) {
    const TColor ground = RGBColor(10, 200, 10);
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
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const TColor p = icon.Pixel(x, y);
                if (p == ground) {
                    if (!c.selected && !c.checked) {
                        ASSERT_EQ(At(x0 + x, y0 + y), Gradient(x0 + x - kItem.Left))
                            << "ground left out " << x << "," << y;
                    }
                    continue;
                }
                ASSERT_EQ(At(x0 + x, y0 + y), c.effect(p)) << x << "," << y << " from " << Rgb(p);
            }
        // The lifted icon casts its silhouette 2 pixels down and right.
        if (c.selected) {
            EXPECT_EQ(At(x0 + 2 + 12, y0 + 2 + 12), silhouette);
        }
    }
}

TEST_F(PaintItemTest, SelectedBarItemGetsABoxAndAShadowInTheBarColour) {
    const TColor bar = RGBColor(200, 100, 50);
    painter_->SetMenuBarColor(bar);
    TMainMenu* menuBar = new TMainMenu(root_.get());
    TMenuItem* file = AddItem("&File", menuBar);
    AddItem("&Edit", menuBar);
    ASSERT_TRUE(file->IsTopLevel());
    const TRect r{10, 5, 70, 25};
    Paint(*file, true, r);

    EXPECT_EQ(painter_->Palette().BarColor, bar) << "the bar colour follows MenuBarColor";
    EXPECT_EQ(At(r.Left - 1, r.Top + 3), kUntouched) << "a bar item is copied to its own left edge";
    EXPECT_EQ(At(r.Left + 2, r.Top + 2), LightenColor(kHighlight, 68));
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    const struct {
        int x, y;
        TColor expected;
        const char* what;
    } pixels[] = {
        {L, T + 3, kHighlight, "left edge"},
        {L + 5, T, kHighlight, "top edge"},
        {R - 8, T + 3, kHighlight, "right edge"},
        {R - 8, B - 1, kHighlight, "right edge, last row"},
        {R - 7, T + 1, DarkenColor(bar, 10), "outer shadow"},
        {R - 3, B - 1, DarkenColor(bar, 30), "second shadow"},
        {R - 4, B - 1, DarkenColor(bar, 60), "third shadow"},
        {R - 7, B - 1, DarkenColor(bar, 100), "inner shadow"},
        {R - 1, T + 3, bar, "highlight line"},
        {R - 6, T + 6, DarkenColor(bar, 40), "last stroke"},
    };
    for (const auto& p : pixels) EXPECT_EQ(At(p.x, p.y), p.expected) << p.what << ": " << Rgb(At(p.x, p.y));
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
}

}  // namespace
}  // namespace veilix::testing
