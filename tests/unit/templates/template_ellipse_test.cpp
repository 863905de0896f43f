#include <gtest/gtest.h>

#include <algorithm>

#include "support/template_pixels.h"
#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix::test {
namespace {

// Rows 3 to 97.
constexpr std::string_view kLimeRuns =
    "81-118, 73-126, 67-133, 61-138, 57-142, 53-146, 50-149, 46-153, 43-156, 41-158;"
    "38-161, 36-164, 33-166, 31-168, 29-170, 27-172, 25-174, 24-175, 22-177, 21-178;"
    "19-180, 18-181, 17-183, 15-184, 14-185, 13-186, 12-187, 11-188, 10-189, 10-190;"
    "9-191, 8-191, 7-192, 7-192, 6-193, 6-194, 5-194, 5-195, 4-195, 4-195;"
    "4-196, 3-196, 3-196, 3-196, 3-196, 3-197, 3-197, 3-197, 3-197, 3-196;"
    "3-196, 3-196, 3-196, 3-196, 4-195, 4-195, 4-195, 5-194, 5-194, 6-193;"
    "6-193, 7-192, 8-191, 8-191, 9-190, 10-189, 11-188, 12-187, 13-186, 14-185;"
    "15-184, 16-183, 17-182, 19-180, 20-179, 22-177, 23-176, 25-174, 27-172, 28-171;"
    "30-169, 33-167, 35-164, 37-162, 40-159, 42-157, 45-154, 49-151, 52-147, 56-143;"
    "60-139, 65-134, 71-129, 78-121, 91-109";

constexpr int kWidth = 200;
constexpr int kHeight = 100;

class EllipseTemplate : public ::testing::Test {
protected:
    const TemplatePicture p = DecodePng(EllipseTemplatePng());
    const std::vector<LimeSpan> runs = ParseRunList(kLimeRuns);

    // Every pixel of a row, built from its lime run and {column, green} shades.
    static std::vector<Rgb> Row(std::optional<LimeSpan> lime, std::vector<std::pair<int, int>> shades) {
        std::vector<Rgb> row(kWidth, kBlack);
        if (lime) std::fill(row.begin() + lime->first, row.begin() + lime->last + 1, kLime);
        for (auto [x, green] : shades) row[x] = Rgb{0, green, 0};
        return row;
    }
    std::vector<Rgb> Actual(int y) const {
        std::vector<Rgb> row;
        for (int x = 0; x < kWidth; ++x) row.push_back(PixelAt(p, x, y));
        return row;
    }
};

TEST_F(EllipseTemplate, SizeCountsAndNamedPixels) {
    ASSERT_EQ(p.width, kWidth);
    ASSERT_EQ(p.height, kHeight);
    // The lime opening is exact. The rim is computed (see tools/ellipse_template.cpp),
    // which gives 217 edge shades; these figures pin it so any change is deliberate.
    EXPECT_EQ(CountColours(p), (ColourCounts{.lime = 14570, .black = 5213, .shade = 217, .other = 0}));
    EXPECT_EQ(PixelAt(p, 0, 0), kBlack);
    EXPECT_EQ(PixelAt(p, 100, 50), kLime);
}

TEST_F(EllipseTemplate, EachRowHoldsItsListedLimeRun) {
    ASSERT_EQ(runs.size(), 95u);
    ExpectLimeRuns(p, runs, 3);
}

TEST_F(EllipseTemplate, FixedRowsMatchExactly) {
    std::vector<std::pair<int, int>> row2 = {{90, 56}};
    for (int x = 91; x <= 109; ++x) row2.push_back({x, 64});
    EXPECT_EQ(Actual(2), Row(std::nullopt, row2));
    EXPECT_EQ(Actual(3), Row(LimeSpan{81, 118}, {{78, 32}, {79, 64}, {80, 96}, {119, 104}, {120, 64}, {121, 48}}));
    EXPECT_EQ(Actual(50), Row(LimeSpan{3, 197}, {{2, 104}}));
    EXPECT_EQ(Actual(97),
              Row(LimeSpan{91, 109},
                  {{86, 24}, {87, 64}, {88, 64}, {89, 64}, {90, 120}, {110, 64}, {111, 64}, {112, 64}, {113, 32}}));
    for (int y : {0, 1, 98, 99}) EXPECT_EQ(Actual(y), Row(std::nullopt, {})) << "row " << y;
}

// Walks outward from a run's end over the edge shades beside it; returns
// how many there are, checking that green never rises away from the run.
int ShadeStretch(const TemplatePicture& p, int y, int start, int step) {
    int n = 0;
    int previous = 255;
    for (int x = start; x >= 0 && x < kWidth; x += step, ++n) {
        const auto green = ShadeGreen(PixelAt(p, x, y));
        if (!green) break;
        EXPECT_LE(*green, previous) << "green rises away from the run at " << x << "," << y;
        previous = *green;
    }
    return n;
}

// Whether the unit square of pixel (x, y) reaches into the ideal ellipse.
bool TouchesEllipse(int x, int y) {
    const double nx = std::clamp(100.1, double(x), x + 1.0);
    const double ny = std::clamp(50.2, double(y), y + 1.0);
    const double dx = (nx - 100.1) / 97.5, dy = (ny - 50.2) / 47.5;
    return dx * dx + dy * dy <= 1.0;
}

TEST_F(EllipseTemplate, RimFollowsThePlacementRulesOnEveryRow) {
    for (int y = 3; y <= 97; ++y) {
        const LimeSpan run = runs[y - 3];
        const int left = ShadeStretch(p, y, run.first - 1, -1);
        const int right = ShadeStretch(p, y, run.last + 1, +1);
        EXPECT_LE(left, 5) << "row " << y;
        EXPECT_LE(right, 5) << "row " << y;
        for (int x = 0; x < kWidth; ++x) {
            const bool in_rim = x >= run.first - left && x <= run.last + right;
            if (!in_rim) {
                EXPECT_EQ(PixelAt(p, x, y), kBlack) << "at " << x << "," << y;
            } else if (x < run.first || x > run.last) {
                EXPECT_TRUE(TouchesEllipse(x, y)) << "at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace veilix::test
