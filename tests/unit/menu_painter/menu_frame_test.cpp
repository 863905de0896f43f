// The popup menu window's flat frame: outline, icon-column strip, rows 1 and 2
// copied from row 3, the shadow bands and the L-shaped shape that cuts two
// corners; the version-5.1 borders; when the shape is set again; requests for
// windows that have gone; re-entry; and what hiding, closing or destroying a
// framed window does to itself and to a framed menu beside it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "menu_painter/colour_ops.h"
#include "menu_painter/menu_frame.h"
#include "platform/menus/menu_window_by_handle.h"
#include "platform/menus/popup_menu_window.h"
#include "platform/system/os_version.h"
#include "support/flat_menu_fixture.h"
#include "support/pixels.h"
#include "support/system_colours.h"

namespace veilix {
namespace {

using testing::ColourAt;
using testing::kFace;

constexpr int kItemWidth = 100, kItemHeight = 20, kItems = 3;
constexpr int kWindowWidth = kItemWidth + 6, kWindowHeight = kItems * kItemHeight + 6;

// Every column of an item in its own colour, so a copied row shows where it
// came from.
TColor ItemColour(int x) { return RGBColor(std::uint8_t(x), 120, 200); }

struct ColumnPainter {
    std::vector<TWindowHandle> drawnOn;
    void Measure(TComponent*, TCanvas&, int& width, int& height) {
        width = kItemWidth;
        height = kItemHeight;
    }
    void Draw(TComponent*, TCanvas& canvas, TRect rect, bool) {
        drawnOn.push_back(canvas.WindowHandle);
        for (int x = rect.Left; x < rect.Right; ++x) {
            canvas.Brush.Color = ItemColour(x);
            canvas.FillRect({x, rect.Top, x + 1, rect.Bottom});
        }
    }
    int DrawsOn(const QWidget& window) const { return int(std::ranges::count(drawnOn, HandleOf(&window))); }
};

class MenuFrameTest : public testing::FlatMenuFixture {
protected:
    void SetUp() override {
        FlatMenuFixture::SetUp();
        form_ = &NewForm();
        menu_ = new TPopupMenu(form_);
        menu_->OwnerDraw = true;
        for (int i = 0; i < kItems; ++i) {
            TMenuItem* item = testing::AddItem(form_, *menu_, "Item " + std::to_string(i));
            item->OnMeasureItem = TMenuMeasureItemEvent(&items_, &ColumnPainter::Measure);
            item->OnDrawItem = TMenuDrawItemEvent(&items_, &ColumnPainter::Draw);
        }
    }
    void TearDown() override {
        windows_.clear();
        SetOSVersionTraits(std::nullopt);
        FlatMenuFixture::TearDown();
    }

    // Made on first use: the version is read at construction.
    TFlatMenu& Painter() {
        if (!painter_) painter_ = new TFlatMenu(form_);
        return *painter_;
    }

    // A shown menu window with its items painted.
    PopupMenuWindow& ShownWindow(QPoint at = QPoint(200, 200)) {
        windows_.push_back(std::make_unique<PopupMenuWindow>(*menu_));
        PopupMenuWindow& window = *windows_.back();
        window.move(at);
        window.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(items_.DrawsOn(window), kItems) << "the items are painted once shown";
        return window;
    }
    static TWindowHandle Handle(const QWidget& window) { return HandleOf(&window); }

    testing::LoadingForm* form_ = nullptr;
    TPopupMenu* menu_ = nullptr;
    TFlatMenu* painter_ = nullptr;
    ColumnPainter items_;
    std::vector<std::unique_ptr<PopupMenuWindow>> windows_;
};

struct FrameColours {
    TColor frame, shadow, icon, menu;
};

// What a framed window of ww x hh shows at (x, y) when every item column x
// shows ItemColour(x); none where its shape leaves the window out.
std::optional<TColor> Framed(int x, int y, int ww, int hh, bool v51, const FrameColours& c) {
    // The menu without its shadow.
    const int w = v51 ? ww : ww - 2, h = v51 ? hh : hh - 2;
    if (!v51) {
        if ((x >= w && y < 2) || (y >= h && x < 2)) return std::nullopt;
        if (x >= w || y >= h) return c.shadow;
    }
    if (x == 0 || y == 0 || x == w - 1 || y == h - 1) return c.frame;
    if (v51 && x >= w - 3) return c.menu;
    if (x <= 2) return c.icon;
    // Inside: the items, and the border rows that copy the row next to them.
    return ItemColour(x);
}

// The first pixel that differs from what the frame should look like, as text;
// empty when all agree, the shape included.
std::string FrameFault(PopupMenuWindow& window, bool v51, const FrameColours& colours) {
    const QImage& image = window.Surface();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const auto want = Framed(x, y, image.width(), image.height(), v51, colours);
            const bool inShape = !window.Region() || window.Region()->contains(QPoint(x, y));
            const std::string at = std::to_string(x) + "," + std::to_string(y);
            if (inShape != want.has_value()) return at + (inShape ? " is shown" : " is cut away");
            if (want && ColourAt(image, x, y) != *want) {
                char text[64];
                std::snprintf(text, sizeof text, " is %06x, not %06x", ColourAt(image, x, y), *want);
                return at + text;
            }
        }
    return {};
}

struct VersionCase {
    const char* name;
    bool v51;
};

class MenuFrameVersionTest : public MenuFrameTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(MenuFrameVersionTest, OutlineStripCopiedRowsAndShadowOrBorders) {
    const bool v51 = GetParam().v51;
    SetOSVersionTraits(TOSVersionTraits{true, v51});
    TFlatMenu& painter = Painter();
    ASSERT_EQ(painter.IsV51(), v51);
    PopupMenuWindow& window = ShownWindow();
    const FrameColours colours{RGBColor(146, 145, 126), DarkenColor(kFace, 76), LightenColor(kFace, 16),
                               LightenColor(kFace, 86)};

    PaintMenuFrame(painter, Handle(window), false);

    EXPECT_EQ(FrameFault(window, v51, colours), "");
    if (v51)
        EXPECT_FALSE(window.Region()) << "no shape on version 5.1";
    else
        EXPECT_EQ(window.Region(), QRegion(0, 0, kWindowWidth - 2, kWindowHeight - 2) +
                                       QRegion(2, 2, kWindowWidth - 2, kWindowHeight - 2));
    EXPECT_EQ(window.WindowProc(), &MenuFrameWndProc);
    EXPECT_EQ(window.UserData(), reinterpret_cast<std::intptr_t>(&PopupMenuWindow::OwnProcedure));
    EXPECT_FALSE(painter.FramePainting());

    // Repainted with erasing, the framed window leaves its border alone.
    window.Invalidate(true);
    window.repaint();
    const int right = v51 ? kWindowWidth - 1 : kWindowWidth - 3;
    for (int y = 0; y < 10; ++y) EXPECT_EQ(ColourAt(window.Surface(), right, y), colours.frame) << "row " << y;

    // A second request paints the same frame and keeps the saved procedure.
    PaintMenuFrame(painter, Handle(window), false);
    EXPECT_EQ(FrameFault(window, v51, colours), "");
    EXPECT_EQ(window.UserData(), reinterpret_cast<std::intptr_t>(&PopupMenuWindow::OwnProcedure));
}

INSTANTIATE_TEST_SUITE_P(Versions, MenuFrameVersionTest,
                         ::testing::Values(VersionCase{"Shadow", false}, VersionCase{"Version51", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Right to left, the icon column's edge is one line down the right of the
// menu, one pixel a row, and the left border keeps what it showed.
TEST_F(MenuFrameTest, RightToLeftDrawsTheEdgeAsALineOnTheRight) {
    PopupMenuWindow& window = ShownWindow();
    const TColor leftBorder = ColourAt(window.Surface(), 1, 10);
    PaintMenuFrame(Painter(), Handle(window), true);

    const QImage& image = window.Surface();
    const TColor icon = LightenColor(kFace, 16);
    const int w = kWindowWidth - 2, h = kWindowHeight - 2;
    for (int y = 3; y <= h - 2; ++y) {
        const int onLine = (ColourAt(image, w - 3, y) == icon) + (ColourAt(image, w - 2, y) == icon);
        EXPECT_EQ(onLine, 1) << "row " << y;
        EXPECT_EQ(ColourAt(image, 1, y), leftBorder) << "row " << y;
    }
    EXPECT_EQ(ColourAt(image, w - 3, 3), icon) << "the line starts at the left";
    EXPECT_EQ(ColourAt(image, w - 2, h - 2), icon) << "and ends on the right";
}

struct SizeCase {
    const char* name;
    int dw, dh;
    bool newShape;
};

class MenuFrameSizeTest : public MenuFrameTest, public ::testing::WithParamInterface<SizeCase> {};

// A few pixels more or less keep the shape the window has; more than five
// give it a new one, with its shadow at the new edges.
TEST_P(MenuFrameSizeTest, TheShapeIsSetAgainOnlyAfterAChangeOfMoreThanFivePixels) {
    PopupMenuWindow& window = ShownWindow();
    PaintMenuFrame(Painter(), Handle(window), false);
    const QRegion first = *window.Region();

    const QSize size(kWindowWidth + GetParam().dw, kWindowHeight + GetParam().dh);
    window.resize(size);
    window.repaint();
    PaintMenuFrame(Painter(), Handle(window), false);

    const int ww = size.width(), hh = size.height();
    const QRegion fresh = QRegion(0, 0, ww - 2, hh - 2) + QRegion(2, 2, ww - 2, hh - 2);
    EXPECT_EQ(*window.Region(), GetParam().newShape ? fresh : first);
    EXPECT_EQ(ColourAt(window.Surface(), ww - 1, hh - 1), DarkenColor(kFace, 76)) << "the shadow follows the size";
}

INSTANTIATE_TEST_SUITE_P(Sizes, MenuFrameSizeTest,
                         ::testing::Values(SizeCase{"FiveWider", 5, 0, false}, SizeCase{"FiveTaller", 0, 5, false},
                                           SizeCase{"FiveSmaller", -5, -5, false}, SizeCase{"SixWider", 6, 0, true},
                                           SizeCase{"SixTaller", 0, 6, true}, SizeCase{"SixNarrower", -6, 0, true},
                                           SizeCase{"SixShorter", 0, -6, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenuFrameTest, RequestsForWindowsThatHaveGoneOrWhileFramingDoNothing) {
    PopupMenuWindow& live = ShownWindow();
    const QImage before = live.Surface().copy();
    TFlatMenu& painter = Painter();

    auto gone = std::make_unique<PopupMenuWindow>(*menu_);
    gone->show();
    const TWindowHandle goneHandle = Handle(*gone);
    TMenuItem* goneItem = testing::AddItem(form_, *menu_, "Gone");
    gone.reset();
    ASSERT_NE(goneHandle, Handle(live));
    PaintRequestedFrame(TMessage{MsgFrameByWindow, 0, std::intptr_t(goneHandle), 0}, &painter);
    // An item no window shows any more.
    PaintRequestedFrame(TMessage{MsgFrameByItem, 0, reinterpret_cast<std::intptr_t>(goneItem), 0}, &painter);
    EXPECT_FALSE(painter.FramePainting());

    // Re-entered while a frame is being painted.
    painter.SetFramePainting(true);
    PaintMenuFrame(painter, Handle(live), false);
    EXPECT_TRUE(painter.FramePainting()) << "the flag belongs to the painting under way";
    painter.SetFramePainting(false);

    EXPECT_EQ(live.Surface(), before);
    EXPECT_EQ(live.WindowProc(), &PopupMenuWindow::OwnProcedure);
    EXPECT_FALSE(live.Region());
    // Without a serving painter a request paints nothing either.
    PaintRequestedFrame(TMessage{MsgFrameByWindow, 0, std::intptr_t(Handle(live)), 0}, nullptr);
    EXPECT_EQ(live.WindowProc(), &PopupMenuWindow::OwnProcedure);
}

struct ItemCase {
    const char* name;
    TBiDiMode mode;
};

class MenuFrameByItemTest : public MenuFrameTest, public ::testing::WithParamInterface<ItemCase> {};

// The window under the middle of the item's rectangle is framed, right to
// left when the item's menu reads so.
TEST_P(MenuFrameByItemTest, FramesTheWindowUnderTheItem) {
    menu_->BiDiMode = GetParam().mode;
    PopupMenuWindow& window = ShownWindow(QPoint(300, 150));
    PaintRequestedFrame(TMessage{MsgFrameByItem, 0, reinterpret_cast<std::intptr_t>(menu_->Items()[1]), 0}, &Painter());
    EXPECT_EQ(window.WindowProc(), &MenuFrameWndProc);
    const bool stripOnTheLeft = ColourAt(window.Surface(), 1, 30) == LightenColor(kFace, 16);
    EXPECT_EQ(stripOnTheLeft, GetParam().mode == TBiDiMode::bdLeftToRight);
}

INSTANTIATE_TEST_SUITE_P(Directions, MenuFrameByItemTest,
                         ::testing::Values(ItemCase{"LeftToRight", TBiDiMode::bdLeftToRight},
                                           ItemCase{"RightToLeft", TBiDiMode::bdRightToLeft}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EndingCase {
    const char* name;
    std::function<void(std::unique_ptr<PopupMenuWindow>&)> end;
};

class MenuFrameEndingTest : public MenuFrameTest, public ::testing::WithParamInterface<EndingCase> {};

// A sub-menu that opened to the left of its parent: the parent lies two
// pixels right of its top. Hidden, closed or destroyed, it drops its shape
// and its procedure, and the framed parent paints its items, and so asks for
// its frame, again.
TEST_P(MenuFrameEndingTest, TheEndedWindowLetsGoAndTheFramedParentRepaints) {
    PopupMenuWindow& parent = ShownWindow(QPoint(400, 200));
    auto sub = std::make_unique<PopupMenuWindow>(*menu_);
    sub->move(400 + 3 - kWindowWidth, 220);
    sub->show();
    QCoreApplication::processEvents();
    PaintMenuFrame(Painter(), Handle(parent), false);
    PaintMenuFrame(Painter(), Handle(*sub), false);
    QCoreApplication::processEvents();
    const int parentDraws = items_.DrawsOn(parent);

    PopupMenuWindow* ended = sub.get();
    GetParam().end(sub);
    if (sub) {
        EXPECT_FALSE(ended->Region());
        EXPECT_EQ(ended->WindowProc(), &PopupMenuWindow::OwnProcedure);
        EXPECT_EQ(ended->UserData(), 0);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(items_.DrawsOn(parent), parentDraws + kItems);
    EXPECT_EQ(parent.WindowProc(), &MenuFrameWndProc) << "the parent stays framed";
}

INSTANTIATE_TEST_SUITE_P(Endings, MenuFrameEndingTest,
                         ::testing::Values(EndingCase{"Hide", [](auto& w) { w->hide(); }},
                                           EndingCase{"Close", [](auto& w) { w->close(); }},
                                           EndingCase{"Destroy", [](auto& w) { w.reset(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

struct NeighbourCase {
    const char* name;
    int subTop;  // relative to the parent's top
    bool parentFramed;
    bool repainted;
};

class MenuFrameNeighbourTest : public MenuFrameTest, public ::testing::WithParamInterface<NeighbourCase> {};

// The window looked at lies two pixels right of the ended one, two below its
// top or, failing a framed one there, two above its bottom; only a framed
// window found there repaints.
TEST_P(MenuFrameNeighbourTest, OnlyAFramedWindowBesideTheTopOrBottomRepaints) {
    PopupMenuWindow& parent = ShownWindow(QPoint(400, 200));
    if (GetParam().parentFramed) PaintMenuFrame(Painter(), Handle(parent), false);
    PopupMenuWindow& sub = ShownWindow(QPoint(400 + 3 - kWindowWidth, 200 + GetParam().subTop));
    PaintMenuFrame(Painter(), Handle(sub), false);
    QCoreApplication::processEvents();
    const int parentDraws = items_.DrawsOn(parent);

    sub.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(items_.DrawsOn(parent), parentDraws + (GetParam().repainted ? kItems : 0));
}

INSTANTIATE_TEST_SUITE_P(Places, MenuFrameNeighbourTest,
                         ::testing::Values(NeighbourCase{"BesideTheTop", 20, true, true},
                                           NeighbourCase{"BesideTheBottomOnly", -40, true, true},
                                           NeighbourCase{"BesideNeither", kWindowHeight + 10, true, false},
                                           NeighbourCase{"NotFramed", 20, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veilix
