#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "support/template_pixels.h"
#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix::test {
namespace {

// Rows 3 to 96, as the circle's opening is drawn.
constexpr std::string_view kLimeRuns =
    "46-54, 40-60, 37-63, 34-66, 32-68, 30-70, 28-72, 27-74, 25-75, 24-76;"
    "22-78, 21-79, 20-80, 19-81, 18-82, 17-83, 16-84, 15-85, 15-85, 14-86;"
    "13-87, 13-87, 12-88, 11-89, 11-89, 10-90, 10-90, 9-91, 9-91, 9-92;"
    "8-92, 8-92, 8-93, 7-93, 7-93, 7-94, 6-94, 6-94, 6-94, 6-94;"
    "6-94, 6-95, 5-95, 5-95, 5-95, 5-95, 5-95, 5-95, 5-95, 5-95;"
    "5-95, 5-95, 6-95, 6-95, 6-94, 6-94, 6-94, 6-94, 7-94, 7-93;"
    "7-93, 7-93, 8-92, 8-92, 8-92, 9-91, 9-91, 10-90, 10-90, 11-89;"
    "11-89, 12-88, 12-88, 13-87, 14-86, 15-86, 15-85, 16-84, 17-83, 18-82;"
    "19-81, 20-80, 21-79, 22-78, 23-77, 25-76, 26-74, 28-73, 29-71, 31-69;"
    "33-67, 36-64, 39-61, 44-56";

// (row, column) -> green of each of the 40 edge shades.
const std::map<std::pair<int, int>, int> kEdgeShades = {
    {{3, 55}, 8},   {{5, 36}, 8},   {{5, 64}, 24},  {{7, 69}, 16},  {{8, 71}, 16}, {{10, 26}, 24}, {{11, 76}, 8},
    {{12, 23}, 16}, {{12, 77}, 24}, {{21, 14}, 8},  {{21, 86}, 24}, {{24, 12}, 8}, {{24, 88}, 24}, {{27, 90}, 8},
    {{32, 8}, 16},  {{35, 7}, 24},  {{43, 95}, 24}, {{44, 5}, 16},  {{55, 5}, 24}, {{61, 6}, 8},   {{65, 93}, 16},
    {{68, 92}, 8},  {{70, 91}, 24}, {{72, 10}, 8},  {{72, 90}, 24}, {{74, 89}, 8}, {{77, 87}, 8},  {{78, 14}, 24},
    {{81, 84}, 8},  {{82, 83}, 16}, {{83, 18}, 8},  {{83, 82}, 16}, {{84, 19}, 8}, {{84, 81}, 16}, {{85, 80}, 16},
    {{86, 79}, 8},  {{88, 24}, 24}, {{89, 75}, 8},  {{90, 27}, 24}, {{94, 65}, 8},
};

class CircleTemplate : public ::testing::Test {
protected:
    const TemplatePicture p = DecodePng(CircleTemplatePng());
};

TEST_F(CircleTemplate, SizeCountsAndNamedPixels) {
    ASSERT_EQ(p.width, 100);
    ASSERT_EQ(p.height, 100);
    EXPECT_EQ(CountColours(p), (ColourCounts{.lime = 6677, .black = 3283, .shade = 40, .other = 0}));
    EXPECT_EQ(PixelAt(p, 0, 0), kBlack);
    EXPECT_EQ(PixelAt(p, 50, 50), kLime);
}

TEST_F(CircleTemplate, EachRowHoldsItsListedLimeRun) {
    const std::vector<LimeSpan> runs = ParseRunList(kLimeRuns);
    ASSERT_EQ(runs.size(), 94u);
    ExpectLimeRuns(p, runs, 3);
}

TEST_F(CircleTemplate, EdgeShadesAreExactlyTheListedOnes) {
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const Rgb c = PixelAt(p, x, y);
            const auto listed = kEdgeShades.find({y, x});
            if (listed != kEdgeShades.end()) {
                EXPECT_EQ(c, (Rgb{0, listed->second, 0})) << "at " << x << "," << y;
            } else {
                EXPECT_TRUE(c == kLime || c == kBlack) << "at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace veilix::test
