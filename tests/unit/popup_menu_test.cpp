#include <gtest/gtest.h>

#include "platform/popup_menu.h"
#include "platform/popup_menu_window.h"

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
                         ::testing::Values(PlacementCase{{500, 500}, {500, 500}},        // room: at the point
                                           PlacementCase{{1800, 1000}, {1800, 1000}},    // just fits
                                           PlacementCase{{1801, 500}, {1681, 500}},      // opens to the left
                                           PlacementCase{{500, 1001}, {500, 921}},       // opens upwards
                                           PlacementCase{{1919, 1079}, {1799, 999}},     // corner: both
                                           PlacementCase{{-50, -20}, {0, 0}}));          // never off the top-left

TEST(MenuItem, AccessLetterIsTheCharacterAfterASingleAmpersand) {
    TMenuItem item(nullptr);
    const std::pair<const char*, char> cases[] = {
        {"Add &Rectangle", 'R'}, {"&Close", 'C'}, {"Add Circle", 0}, {"Fish && &Chips", 'C'}, {"Trailing &", 0},
        {"add &ellipse", 'E'}};
    for (const auto& [caption, letter] : cases) {
        item.Caption = caption;
        EXPECT_EQ(item.AccessLetter(), letter) << caption;
    }
}

}  // namespace
}  // namespace veilix
