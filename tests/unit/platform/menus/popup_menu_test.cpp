#include <gtest/gtest.h>

#include "platform/menus/popup_menu.h"
#include "platform/menus/popup_menu_window.h"

namespace veilix {
namespace {

struct PlacementCase {
    QPoint at;
    QPoint expected;
};

class PopupPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

// A 120 x 80 menu on a 1920 x 1080 screen.
TEST_P(PopupPlacementTest, StaysOnScreen) {
    EXPECT_EQ(PopupMenuWindow::PlaceOnScreen(GetParam().at, QSize(120, 80), QRect(0, 0, 1920, 1080)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Edges, PopupPlacementTest,
                         ::testing::Values(PlacementCase{{500, 500}, {500, 500}},      // room: at the point
                                           PlacementCase{{1800, 1000}, {1800, 1000}},  // just fits
                                           PlacementCase{{1801, 500}, {1681, 500}},    // opens to the left
                                           PlacementCase{{500, 1001}, {500, 921}},     // opens upwards
                                           PlacementCase{{1919, 1079}, {1799, 999}},   // corner: both
                                           PlacementCase{{-50, -20}, {0, 0}}));        // never off the top-left

TEST(MenuItem, AccessLetterIsTheCharacterAfterASingleAmpersand) {
    TMenuItem item(nullptr);
    const std::pair<const char*, char> cases[] = {{"Add &Rectangle", 'R'}, {"&Close", 'C'},   {"Add Circle", 0},
                                                  {"Fish && &Chips", 'C'}, {"Trailing &", 0}, {"add &ellipse", 'E'}};
    for (const auto& [caption, letter] : cases) {
        item.Caption = caption;
        EXPECT_EQ(item.AccessLetter(), letter) << caption;
    }
}

struct SubMenuCase {
    const char* what;
    QRect parentItem;
    QRect parentWindow;
    QPoint expected;
};

// A 100 x 60 sub-menu on a 1920 x 1080 screen; its border overlaps its
// parent's by three pixels, and its first item is level with the parent item.
TEST(PopupPlacement, SubMenuOpensBesideItsItem) {
    const SubMenuCase cases[] = {
        {"room on the right", QRect(203, 123, 94, 20), QRect(200, 100, 100, 80), QPoint(297, 120)},
        {"right edge: to the left", QRect(1803, 123, 94, 20), QRect(1800, 100, 100, 80), QPoint(1703, 120)},
        {"bottom edge: moved up", QRect(203, 1043, 94, 20), QRect(200, 1000, 100, 80), QPoint(297, 1020)},
        {"left edge too: kept on screen", QRect(3, 123, 1914, 20), QRect(0, 100, 1920, 80), QPoint(0, 120)},
    };
    for (const SubMenuCase& c : cases)
        EXPECT_EQ(PopupMenuWindow::PlaceSubMenu(c.parentItem, c.parentWindow, QSize(100, 60), QRect(0, 0, 1920, 1080)),
                  c.expected)
            << c.what;
}

TEST(ShortCut, TextNamesModifiersThenKey) {
    const std::pair<TShortCut, const char*> cases[] = {
        {0, ""},
        {TShortCut(scCtrl | 'S'), "Ctrl+S"},
        {TShortCut(scShift | VK_DELETE), "Shift+Del"},
        {TShortCut(scCtrl | scAlt | (VK_F1 + 4)), "Ctrl+Alt+F5"},
        {TShortCut(scShift | scCtrl | scAlt | 'Z'), "Shift+Ctrl+Alt+Z"},
        {TShortCut(VK_F1 + 11), "F12"},
        {TShortCut(scAlt | '7'), "Alt+7"},
        {VK_RETURN, "Enter"},
        {VK_ESCAPE, "Esc"},
        {VK_BACK, "BkSp"},
        {TShortCut(scCtrl | VK_INSERT), "Ctrl+Ins"},
        {VK_PRIOR, "PgUp"},
        {VK_NEXT, "PgDn"},
        {VK_HOME, "Home"},
        {TShortCut(scCtrl | VK_LEFT), "Ctrl+Left"},
        {VK_DOWN, "Down"},
        {VK_SPACE, "Space"},
        {TShortCut(VK_NUMPAD0 + 3), "Num 3"},
        {VK_ADD, "Num +"},
        {TShortCut(scCtrl | 0x07), ""},  // a code without a key name: nothing, not "Ctrl+"
        {scShift, ""},
    };
    for (const auto& [shortCut, text] : cases) EXPECT_EQ(ShortCutToText(shortCut), text) << std::hex << shortCut;
}

}  // namespace
}  // namespace veilix
