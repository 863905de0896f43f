// The stencil window's popup menu framed by FlatMenu1 in the real flow: the
// frame request its items post is answered from the event loop with the
// outline, the icon-column strip, the top border showing the first item's
// background, the shadow and the L-shaped shape; and the frame stays whole
// while the arrow keys move the selection, on the window's composed image and
// on what the screen shows.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <optional>
#include <string>
#include <vector>

#include "menu_painter/colour_ops.h"
#include "menu_painter/flat_menu.h"
#include "menu_painter/menu_frame.h"
#include "platform/core/colors.h"
#include "platform/menus/popup_menu_window.h"
#include "stencil_gui.h"
#include "support/pixels.h"
#include "support/system_colours.h"

namespace veilix::gui {
namespace {

using testing::ColourAt;
using testing::FixedSystemColourTable;
using testing::kFace;

constexpr TColor kFrame = RGBColor(146, 145, 126);

// The first pixel of the three-pixel ring around the items that is not as
// the frame makes it, as text; empty when all are.
std::string RingFault(const QImage& image, const std::optional<QRegion>& region) {
    if (!region) return "the window has no shape";
    const int ww = image.width(), hh = image.height(), w = ww - 2, h = hh - 2;
    for (int y = 0; y < hh; ++y)
        for (int x = 0; x < ww; ++x) {
            if (x >= 3 && y >= 3 && x < ww - 3 && y < hh - 3) continue;
            const std::string at = std::to_string(x) + "," + std::to_string(y);
            const bool cut = (x >= w && y < 2) || (y >= h && x < 2);
            if (region->contains(QPoint(x, y)) == cut) return at + (cut ? " is shown" : " is cut away");
            if (cut) continue;
            TColor want;
            if (x >= w || y >= h)
                want = DarkenColor(kFace, 76);
            else if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                want = kFrame;
            else if (x <= 2)
                want = LightenColor(kFace, 16);
            else
                want = ColourAt(image, x, 3);  // rows 1 and 2 show the first item's top row
            if (ColourAt(image, x, y) != want)
                return at + " is " + std::to_string(ColourAt(image, x, y)) + ", not " + std::to_string(want);
        }
    return {};
}

// The frame is drawn one turn of the event loop after the items, and the
// platform shows a window's updates on a short timer of its own: handles
// events until both have had their turn.
void Settle() { ProcessEventsFor(50); }

class MenuFrameGui : public StencilGui {
protected:
    void SetUp() override {
        // Before the window is built: its painter derives the palette once, at
        // construction.
        SetSystemColors(FixedSystemColourTable());
        StencilGui::SetUp();
    }
    void TearDown() override {
        StencilGui::TearDown();
        ResetSystemColors();
    }
};

TEST_F(MenuFrameGui, TheOpenedMenuIsFramedAndStaysFramedWhileTheSelectionMoves) {
    std::vector<std::string> faults;
    std::vector<int> selected;
    ASSERT_TRUE(OpenMenu({kEscape}, [&](QWidget& menu) {
        Settle();
        auto& window = dynamic_cast<PopupMenuWindow&>(menu);
        EXPECT_EQ(window.WindowProc(), &MenuFrameWndProc);
        EXPECT_FALSE(Form1->FlatMenu1->FramePainting());
        const auto look = [&](const char* when) {
            const QImage shown = menu.screen()->grabWindow(menu.winId()).toImage();
            for (const auto& [name, image] : {std::pair{"composed", window.Surface()}, std::pair{"shown", shown}})
                if (std::string fault = RingFault(image, window.Region()); !fault.empty())
                    faults.push_back(std::string(when) + ", " + name + ": " + fault);
        };
        look("opened");
        for (const Key& key : {kDown, kDown, kDown, kDown, kUp}) {
            qt_handleKeyEvent(menu.windowHandle(), QEvent::KeyPress, key.code, Qt::NoModifier, key.text, false, 1);
            Settle();
            selected.push_back(window.Selected());
            look(("item " + std::to_string(window.Selected()) + " selected").c_str());
        }
    }));
    EXPECT_EQ(selected, (std::vector<int>{0, 1, 2, 3, 2}));
    EXPECT_EQ(faults, std::vector<std::string>{});
}

}  // namespace
}  // namespace veilix::gui
