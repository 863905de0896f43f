// The stencil window's popup menu as FlatMenu1 measures and paints it in the
// real menu window: item sizes from the painter, the gradient background, one
// frame request per opening, the selection box following the arrow keys, and
// a menu that stays usable when an item cannot be painted.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "menu_painter/colour_ops.h"
#include "menu_painter/flat_menu.h"
#include "platform/core/colors.h"
#include "platform/core/exception.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/menu_font.h"
#include "platform/menus/plain_menu_look.h"
#include "platform/menus/popup_menu_window.h"
#include "platform/messages/hidden_window.h"
#include "stencil_gui.h"
#include "support/pixels.h"
#include "support/system_colours.h"

namespace veilix::gui {
namespace {

using testing::ColourAt;
using testing::FixedSystemColourTable;
using testing::kFace;
using testing::kHighlight;

// The gradient's colour k columns right of an item's left edge: 1 % at the
// edge, 85 % after the icon column and four more, 96 % from column 39 on.
TColor Ramp(int k) {
    const int level = k == 0 ? 1 : std::min(96, k <= 28 ? 1 + 3 * k : 85 + (k - 28));
    return LightenColor(LightenColor(kFace, 16), level);
}

// What the menu window shows, read back from the screen without repainting it.
QImage Shown(QWidget& menu) {
    return menu.screen()->grabWindow(menu.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

PopupMenuWindow& AsMenuWindow(QWidget& menu) { return dynamic_cast<PopupMenuWindow&>(menu); }

void Type(QWidget& menu, const Key& key) {
    qt_handleKeyEvent(menu.windowHandle(), QEvent::KeyPress, key.code, Qt::NoModifier, key.text, false, 1);
    qt_handleKeyEvent(menu.windowHandle(), QEvent::KeyRelease, key.code, Qt::NoModifier, key.text, false, 1);
    ProcessEvents();
}

// The items whose rectangle shows the selection box: the item's first row is
// background, the next row is the frame colour from the left edge to one
// column short of the right one, and the last column stays background.
std::vector<int> BoxedItems(const QImage& shown, const std::vector<QRect>& items) {
    std::vector<int> boxed;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRect& r = items[i];
        bool frameRow = true;
        for (int x = r.left(); x <= r.right() - 1; ++x) frameRow &= ColourAt(shown, x, r.top() + 1) == kHighlight;
        if (frameRow) boxed.push_back(int(i));
    }
    return boxed;
}

class FlatMenuPopupGui : public StencilGui {
protected:
    void SetUp() override {
        // Before the window is built: its painter derives the palette once, at
        // construction.
        SetSystemColors(FixedSystemColourTable());
        StencilGui::SetUp();
        HookMainWindow(TWindowHook(this, &FlatMenuPopupGui::Seen));
    }
    void TearDown() override {
        UnhookMainWindow(TWindowHook(this, &FlatMenuPopupGui::Seen));
        StencilGui::TearDown();
        ResetSystemColors();
    }

    struct Request {
        TMessage message;
        bool menuShown;  // the menu window it names was on the screen when it arrived
    };
    void Seen(TMessage& message, bool&) {
        if (message.Msg != MsgFrameByItem && message.Msg != MsgFrameByWindow) return;
        QWidget* menu = QApplication::activePopupWidget();
        const bool shown = menu && message.LParam == std::intptr_t(HandleOf(menu)) && menu->isVisible();
        requests.push_back({message, shown});
    }

    static std::vector<TMenuItem*> StencilItems() {
        return {Form1->AddCube1, Form1->AddCircle1, Form1->AddEllipse1, Form1->Close2};
    }

    std::vector<Request> requests;
};

// The first painting of the menu shows all four items on the gradient and
// asks once for the menu window's frame.
TEST_F(FlatMenuPopupGui, OpeningPaintsTheGradientAndAsksOnceForTheFrame) {
    ASSERT_NE(Form1->FlatMenu1, nullptr);
    ASSERT_TRUE(Form1->FlatMenu1->Active());
    std::vector<QRect> rects;
    QImage shown;
    std::size_t requestsWhenPainted = 0;
    ASSERT_TRUE(OpenMenu({kEscape}, [&](QWidget& menu) {
        ProcessEvents();
        PopupMenuWindow& window = AsMenuWindow(menu);
        ASSERT_EQ(window.ShownItems(), StencilItems());
        rects = window.ItemRects();
        shown = Shown(menu);
        requestsWhenPainted = requests.size();
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests[0].message.Msg, MsgFrameByWindow);
        EXPECT_EQ(requests[0].message.LParam, std::intptr_t(HandleOf(&menu)));
        EXPECT_EQ(requests[0].message.WParam, 0u);
        EXPECT_TRUE(requests[0].menuShown);
    }));
    ASSERT_EQ(rects.size(), 4u);
    ASSERT_FALSE(shown.isNull());

    // Every row of every item: the ramp at the item's left edge and across
    // the icon column, 96 % at its right end; column 39 at 96 % on the
    // item's first and last rows, where no text reaches.
    for (const QRect& r : rects) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int k = 0; k < 24; ++k)
                ASSERT_EQ(ColourAt(shown, r.left() + k, y), Ramp(k)) << "column " << k << " of the item at row " << y;
            ASSERT_EQ(ColourAt(shown, r.right(), y), Ramp(96)) << "last column, row " << y;
        }
        EXPECT_EQ(ColourAt(shown, r.left() + 39, r.top()), Ramp(39));
        EXPECT_EQ(ColourAt(shown, r.left() + 39, r.bottom()), Ramp(39));
        EXPECT_NE(ColourAt(shown, r.left() + 38, r.top()), Ramp(39));
    }
    EXPECT_TRUE(BoxedItems(shown, rects).empty()) << "nothing is selected when the menu opens";

    // Four items painted, one request: the later items found it still queued.
    EXPECT_EQ(requestsWhenPainted, 1u);
    EXPECT_EQ(requests.size(), 1u) << "Esc closes the menu without painting it again";
    EXPECT_EQ(Form1->Controls().size(), 0u);
}

// The items take the painter's measurements where they exceed what the
// window proposes: with a larger font the text's height plus 3/4 of it, and
// the widest caption (one "&" not counted) plus 5 and the icon column.
TEST_F(FlatMenuPopupGui, ItemsTakeThePaintersMeasurements) {
    TFont larger = Form1->FlatMenu1->Font();
    larger.Height = -24;
    Form1->FlatMenu1->SetFont(larger);

    TBitmap scratch(4, 4);
    TCanvas& font = scratch.Canvas();
    font.Font = larger;
    const int th = font.TextHeight("Add Circle");
    const int height = th + int(std::lrint(0.75 * th));
    int width = 0;
    for (TMenuItem* item : StencilItems()) {
        const bool marked = item->Caption.find('&') != std::string::npos;
        width = std::max(width, font.TextWidth(item->Caption) + 5 - (marked ? font.TextWidth("&") : 0) + 24);
    }
    // Only then do the sizes tell the painter's measurement from the proposal.
    for (TMenuItem* item : StencilItems()) {
        ASSERT_GT(height, PlainItemSize(*item, MenuFont()).height());
        ASSERT_GT(width, PlainItemSize(*item, MenuFont()).width());
    }

    std::vector<QRect> rects;
    ASSERT_TRUE(OpenMenu({kEscape}, [&](QWidget& menu) { rects = AsMenuWindow(menu).ItemRects(); }));
    std::vector<QRect> expected;
    for (int i = 0; i < 4; ++i) expected.emplace_back(kMenuBorder, kMenuBorder + i * height, width, height);
    EXPECT_EQ(rects, expected);
}

// Each arrow key moves the box to the next item, wrapping at the ends; the
// item left behind is plain gradient again.
TEST_F(FlatMenuPopupGui, ArrowKeysMoveTheSelectionBox) {
    std::vector<std::vector<int>> boxed;
    std::vector<int> selected;
    ASSERT_TRUE(OpenMenu({kEscape}, [&](QWidget& menu) {
        ProcessEvents();
        PopupMenuWindow& window = AsMenuWindow(menu);
        for (const Key& key : {kDown, kDown, kDown, kDown, kDown, kUp, kUp}) {
            Type(menu, key);
            const QImage shown = Shown(menu);
            boxed.push_back(BoxedItems(shown, window.ItemRects()));
            selected.push_back(window.Selected());
            // The box as a whole: its rows and columns on the selected item.
            const QRect r = window.ItemRects()[std::size_t(window.Selected())];
            for (int x = r.left(); x <= r.right() - 1; ++x) {
                ASSERT_EQ(ColourAt(shown, x, r.top()), Ramp(x - r.left())) << "the item's first row, column " << x;
                ASSERT_EQ(ColourAt(shown, x, r.bottom()), kHighlight) << "the box's bottom edge, column " << x;
            }
            for (int y = r.top() + 1; y <= r.bottom(); ++y) {
                ASSERT_EQ(ColourAt(shown, r.left(), y), kHighlight) << "left edge over the icon column, row " << y;
                ASSERT_EQ(ColourAt(shown, r.right() - 1, y), kHighlight) << "right edge, row " << y;
                ASSERT_EQ(ColourAt(shown, r.right(), y), Ramp(96)) << "the column past the box, row " << y;
            }
            EXPECT_EQ(ColourAt(shown, r.left() + 1, r.top() + 2), LightenColor(kHighlight, 68)) << "the box's fill";
        }
    }));
    EXPECT_EQ(selected, (std::vector<int>{0, 1, 2, 3, 0, 3, 2}));
    const std::vector<std::vector<int>> expected{{0}, {1}, {2}, {3}, {0}, {3}, {2}};
    EXPECT_EQ(boxed, expected);
}

// Stand-ins for a failing paint of "Add Circle".
struct FailingPaint {
    // The painter is handed a rectangle too wide for its off-screen image.
    void TooWideForThePainter(TComponent* sender, TCanvas& canvas, TRect rect, bool selected) {
        rect.Right = std::numeric_limits<int>::max() - 1;
        Form1->FlatMenu1->DrawMenuItem(sender, canvas, rect, selected);
    }
    // A handler of the application's own that fails.
    void Throws(TComponent*, TCanvas&, TRect, bool) { throw EOutOfMemory(); }
};

struct FailureCase {
    const char* name;
    void (FailingPaint::*handler)(TComponent*, TCanvas&, TRect, bool);
    bool shown;  // the failure reaches the user
};

class FailingItemGui : public FlatMenuPopupGui, public ::testing::WithParamInterface<FailureCase> {};

// The item that cannot be painted does not take the menu with it: the other
// items are painted, the arrows move over it, and Enter on it runs its
// command.
TEST_P(FailingItemGui, MenuStaysUsable) {
    FailingPaint failing;
    Form1->AddCircle1->OnDrawItem = TMenuDrawItemEvent(&failing, GetParam().handler);

    std::vector<int> selected;
    std::vector<std::vector<int>> boxed;
    ASSERT_TRUE(OpenMenu({kReturn}, [&](QWidget& menu) {
        ProcessEvents();
        PopupMenuWindow& window = AsMenuWindow(menu);
        const std::vector<QRect> rects = window.ItemRects();
        const QImage shown = Shown(menu);
        for (int i : {0, 2, 3})
            for (int y = rects[std::size_t(i)].top(); y <= rects[std::size_t(i)].bottom(); ++y)
                ASSERT_EQ(ColourAt(shown, rects[std::size_t(i)].left(), y), Ramp(0)) << "item " << i << ", row " << y;
        for (const Key& key : {kDown, kDown, kDown, kUp}) {
            Type(menu, key);
            selected.push_back(window.Selected());
            boxed.push_back(BoxedItems(Shown(menu), rects));
        }
    }));

    EXPECT_EQ(selected, (std::vector<int>{0, 1, 2, 1}));
    // No box can be seen on the item that fails.
    EXPECT_EQ(boxed, (std::vector<std::vector<int>>{{0}, {}, {2}, {}}));
    ASSERT_EQ(Form1->Controls().size(), 1u);
    const auto* hole = static_cast<TImage*>(Form1->Controls().back());
    const TBitmap& circle = *Form2->Image3->Picture().Bitmap();
    ASSERT_EQ(hole->Width(), circle.Width());
    ASSERT_EQ(hole->Height(), circle.Height());
    for (int y = 0; y < circle.Height(); ++y)
        for (int x = 0; x < circle.Width(); ++x)
            ASSERT_EQ(hole->Picture().Bitmap()->Pixel(x, y), circle.Pixel(x, y)) << x << "," << y;
    if (GetParam().shown) {
        ASSERT_FALSE(boxes.empty());
        for (const ShownBox& box : boxes) EXPECT_EQ(box, (ShownBox{"Veilix", "Mémoire insuffisante."}));
    } else {
        EXPECT_TRUE(boxes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Failures, FailingItemGui,
                         ::testing::Values(FailureCase{"PainterSwallowsItsOwn", &FailingPaint::TooWideForThePainter,
                                                       false},
                                           FailureCase{"ApplicationHandlerIsShown", &FailingPaint::Throws, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veilix::gui
