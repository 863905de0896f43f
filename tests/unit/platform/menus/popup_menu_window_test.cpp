// The popup window's layout and painting: every item is offered the plain
// look's size, owner-drawn items may change it, and the items sit inside a
// three-pixel border on the window's own surface.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/core/colors.h"
#include "platform/graphics/menu_font.h"
#include "platform/menus/plain_menu_look.h"
#include "platform/menus/popup_menu.h"
#include "platform/menus/popup_menu_window.h"
#include "platform/messages/hidden_window.h"
#include "support/qt_application.h"

namespace veilix {
namespace {

// Measure and draw handlers that record what they were given and answer with
// sizes set per item.
struct Recorder {
    struct Measured {
        int width, height;
        TFont font;
    };
    struct Drawn {
        TRect rect;
        bool selected;
        std::uintptr_t window;
    };
    std::map<TComponent*, Measured> proposed;
    std::map<TComponent*, QSize> answers;
    std::map<TComponent*, Drawn> drawn;

    void Measure(TComponent* sender, TCanvas& canvas, int& width, int& height) {
        proposed[sender] = {width, height, canvas.Font};
        if (const auto answer = answers.find(sender); answer != answers.end()) {
            width = answer->second.width();
            height = answer->second.height();
        }
    }
    void Draw(TComponent* sender, TCanvas& canvas, TRect rect, bool selected) {
        drawn[sender] = {rect, selected, canvas.WindowHandle};
        canvas.Brush.Color = clLime;
        canvas.FillRect(rect);
    }
};

class PopupMenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApplication();
        SystemColorTable colours{};
        colours.fill(RGBColor(90, 90, 90));
        colours[4] = RGBColor(250, 250, 250);   // menu
        colours[7] = RGBColor(0, 0, 0);         // menu text
        colours[17] = RGBColor(128, 128, 128);  // grey text
        colours[15] = RGBColor(212, 208, 200);  // button face: the border
        SetSystemColors(colours);
    }
    void TearDown() override { ResetSystemColors(); }

    TMenuItem* AddItem(const char* caption, bool handlers = true) {
        auto* item = new TMenuItem(&form_);
        item->Caption = caption;
        if (handlers) {
            item->OnMeasureItem = TMenuMeasureItemEvent(&recorder_, &Recorder::Measure);
            item->OnDrawItem = TMenuDrawItemEvent(&recorder_, &Recorder::Draw);
        }
        menu_->Add(item);
        return item;
    }

    TComponent form_{nullptr};
    TPopupMenu* menu_ = new TPopupMenu(&form_);
    Recorder recorder_;
};

TEST_F(PopupMenuWindowTest, OwnerDrawnItemsAreOfferedThePlainSizeAndSetTheLayout) {
    menu_->OwnerDraw = true;
    TMenuItem* add = AddItem("Add &Rectangle");
    TMenuItem* line = AddItem("-");
    TMenuItem* save = AddItem("Save");
    save->ShortCut = TShortCut(scCtrl | 'S');
    TMenuItem* plain = AddItem("Plain, no handlers", false);
    recorder_.answers[add] = QSize(40, 23);  // narrower than proposed: the widest still wins
    recorder_.answers[line] = QSize(10, 4);
    recorder_.answers[save] = QSize(300, 25);

    PopupMenuWindow window(*menu_);

    const QFont font = MenuFont();
    for (TMenuItem* item : {add, line, save}) {
        ASSERT_TRUE(recorder_.proposed.count(item)) << item->Caption;
        const QSize plainSize = PlainItemSize(*item, font);
        EXPECT_EQ(recorder_.proposed[item].width, plainSize.width()) << item->Caption;
        EXPECT_EQ(recorder_.proposed[item].height, plainSize.height()) << item->Caption;
        EXPECT_EQ(recorder_.proposed[item].font, ToTFont(font)) << item->Caption;
    }
    EXPECT_LT(recorder_.proposed[line].height, recorder_.proposed[add].height);
    // The shortcut text widens the proposal.
    TMenuItem probe(nullptr);
    probe.Caption = "Save";
    EXPECT_GT(recorder_.proposed[save].width, PlainItemSize(probe, font).width());

    const int plainHeight = PlainItemSize(*plain, font).height();
    const std::vector<QRect> expected{QRect(3, 3, 300, 23), QRect(3, 26, 300, 4), QRect(3, 30, 300, 25),
                                      QRect(3, 55, 300, plainHeight)};
    EXPECT_EQ(window.ItemRects(), expected);
    EXPECT_EQ(window.size(), QSize(306, 55 + plainHeight + 3));
}

TEST_F(PopupMenuWindowTest, HandlersAreLeftAloneUnlessTheMenuIsOwnerDrawn) {
    TMenuItem* item = AddItem("Add Circle");
    recorder_.answers[item] = QSize(500, 50);

    PopupMenuWindow window(*menu_);
    QImage shown(window.size(), QImage::Format_RGB32);
    window.render(&shown);

    EXPECT_TRUE(recorder_.proposed.empty());
    EXPECT_TRUE(recorder_.drawn.empty());
    const QSize plainSize = PlainItemSize(*item, MenuFont());
    EXPECT_EQ(window.ItemRects(), std::vector<QRect>{QRect(QPoint(3, 3), plainSize)});
}

// The items are drawn on the window's own surface, each in its rectangle
// inside the border; the border is the plain look's colour all round.
TEST_F(PopupMenuWindowTest, ItemsAreDrawnInsideAThreePixelBorder) {
    menu_->OwnerDraw = true;
    TMenuItem* first = AddItem("Add &Rectangle");
    TMenuItem* second = AddItem("&Close");
    recorder_.answers[first] = QSize(120, 20);
    recorder_.answers[second] = QSize(120, 22);

    PopupMenuWindow window(*menu_);
    QImage shown(window.size(), QImage::Format_RGB32);
    window.render(&shown);

    ASSERT_EQ(shown.size(), QSize(126, 48));
    ASSERT_TRUE(recorder_.drawn.count(first));
    ASSERT_TRUE(recorder_.drawn.count(second));
    EXPECT_EQ(recorder_.drawn[first].rect, (TRect{3, 3, 123, 23}));
    EXPECT_EQ(recorder_.drawn[second].rect, (TRect{3, 23, 123, 45}));
    EXPECT_FALSE(recorder_.drawn[first].selected);
    EXPECT_EQ(recorder_.drawn[first].window, HandleOf(&window));

    const QRgb border = qRgb(212, 208, 200);
    const QRgb lime = qRgb(0, 255, 0);
    int borderPixels = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const bool inBorder = x < 3 || y < 3 || x >= shown.width() - 3 || y >= shown.height() - 3;
            const QRgb pixel = shown.pixel(x, y);
            EXPECT_EQ(pixel, inBorder ? border : lime) << x << "," << y;
            borderPixels += inBorder;
            if (pixel != (inBorder ? border : lime)) return;  // one report is enough
        }
    EXPECT_EQ(borderPixels, 126 * 48 - 120 * 42);
}

// Without handlers: the plain look, with a line for a separator and a greyed
// caption for a disabled item; invisible items take no room.
TEST_F(PopupMenuWindowTest, PlainLookShowsCaptionsSeparatorsAndSkipsHiddenItems) {
    TMenuItem* enabled = AddItem("Add Circle", false);
    AddItem("Hidden", false)->Visible = false;
    TMenuItem* line = AddItem("-", false);
    TMenuItem* disabled = AddItem("Add Circle", false);
    disabled->Enabled = false;

    PopupMenuWindow window(*menu_);
    ASSERT_EQ(window.ShownItems(), (std::vector<TMenuItem*>{enabled, line, disabled}));
    QImage image(window.size(), QImage::Format_RGB32);
    window.render(&image);

    // The darkest ink of an item's caption: the text colour where a stroke is solid.
    const auto darkest = [&](const QRect& r) {
        int lowest = 255;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) lowest = std::min(lowest, qRed(image.pixel(x, y)));
        return lowest;
    };
    const std::vector<QRect>& rects = window.ItemRects();
    EXPECT_EQ(rects[1].top(), rects[0].bottom() + 1);
    EXPECT_EQ(darkest(rects[0]), 0);
    EXPECT_EQ(darkest(rects[2]), 128);
    EXPECT_LT(darkest(rects[1]), 250);  // the line
    EXPECT_LT(rects[1].height(), rects[0].height());
}

}  // namespace
}  // namespace veilix
