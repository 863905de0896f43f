#include "stencil/pull_back.h"

#include <gtest/gtest.h>

namespace veilix {
namespace {

struct PullBackCase {
    const char* name;
    std::int32_t left, top, width, height;
    TSize desktop;
    TPullBack expected;
};

class PullBackTest : public ::testing::TestWithParam<PullBackCase> {};

TEST_P(PullBackTest, GoesToZeroOnlyPastTheRightOrBottom) {
    const PullBackCase& c = GetParam();
    EXPECT_EQ(PullBackFor(c.left, c.top, c.width, c.height, c.desktop), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PullBackTest,
    ::testing::Values(PullBackCase{"inside", 274, 309, 651, 338, {1920, 1080}, {false, false}},
                      PullBackCase{"bottom exactly on the edge", 274, 742, 651, 338, {1920, 1080}, {false, false}},
                      PullBackCase{"bottom one pixel over", 274, 743, 651, 338, {1920, 1080}, {true, false}},
                      PullBackCase{"right exactly on the edge", 1269, 0, 651, 338, {1920, 1080}, {false, false}},
                      PullBackCase{"right one pixel over", 1270, 0, 651, 338, {1920, 1080}, {false, true}},
                      PullBackCase{"both over", 1500, 900, 651, 338, {1920, 1080}, {true, true}},
                      PullBackCase{"off the left and top", -400, -200, 651, 338, {1920, 1080}, {false, false}},
                      // A monitor left of the primary one: the desktop spans x -1920..1919, yet its
                      // width is compared as a coordinate.
                      PullBackCase{"negative origin desktop", 3200, 0, 651, 338, {3840, 1080}, {false, true}},
                      PullBackCase{"negative origin desktop inside", 1000, 0, 651, 338, {3840, 1080}, {false, false}},
                      PullBackCase{
                          "huge values do not overflow", 2147483000, 2147483000, 651, 338, {1920, 1080}, {true, true}}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

}  // namespace
}  // namespace veilix
