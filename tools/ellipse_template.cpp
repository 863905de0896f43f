#include <algorithm>
#include <cstdint>

#include "template_canvas.h"
#include "template_shapes.h"

namespace veilix {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 100;
constexpr int kFirstLimeRow = 3;

// Rows 3 to 97.
constexpr const char* kLimeRuns =
    "81-118, 73-126, 67-133, 61-138, 57-142, 53-146, 50-149, 46-153, 43-156, 41-158,"
    "38-161, 36-164, 33-166, 31-168, 29-170, 27-172, 25-174, 24-175, 22-177, 21-178,"
    "19-180, 18-181, 17-183, 15-184, 14-185, 13-186, 12-187, 11-188, 10-189, 10-190,"
    "9-191, 8-191, 7-192, 7-192, 6-193, 6-194, 5-194, 5-195, 4-195, 4-195,"
    "4-196, 3-196, 3-196, 3-196, 3-196, 3-197, 3-197, 3-197, 3-197, 3-196,"
    "3-196, 3-196, 3-196, 3-196, 4-195, 4-195, 4-195, 5-194, 5-194, 6-193,"
    "6-193, 7-192, 8-191, 8-191, 9-190, 10-189, 11-188, 12-187, 13-186, 14-185,"
    "15-184, 16-183, 17-182, 19-180, 20-179, 22-177, 23-176, 25-174, 27-172, 28-171,"
    "30-169, 33-167, 35-164, 37-162, 40-159, 42-157, 45-154, 49-151, 52-147, 56-143,"
    "60-139, 65-134, 71-129, 78-121, 91-109";

struct ShadeSpan {
    int y;
    int first;
    int last;
    std::uint8_t green;
};

// Rows whose rim is fixed rather than computed: the top row above the
// opening, and the rows whose exact shades are known.
constexpr ShadeSpan kFixedRims[] = {
    {2, 90, 90, 56},    {2, 91, 109, 64},  {3, 78, 78, 32},    {3, 79, 79, 64},    {3, 80, 80, 96},
    {3, 119, 119, 104}, {3, 120, 120, 64}, {3, 121, 121, 48},  {50, 2, 2, 104},    {97, 86, 86, 24},
    {97, 87, 89, 64},   {97, 90, 90, 120}, {97, 110, 112, 64}, {97, 113, 113, 32},
};

bool HasFixedRim(int y) {
    return std::any_of(std::begin(kFixedRims), std::end(kFixedRims), [y](const ShadeSpan& s) { return s.y == y; });
}

// The ideal ellipse has centre (100.1, 50.2) and semi-axes 97.5 and 47.5.
// Sub-sample (i, j) of pixel (x, y) sits at (x + (2i + 1) / 16, y + (2j + 1) / 8).
// Scaling every coordinate by 80 makes all of them integers, so the test is
// exact and the template cannot drift with floating-point settings.
constexpr std::int64_t kScale = 80;
constexpr std::int64_t kCentreX = 8008;
constexpr std::int64_t kCentreY = 4016;
constexpr std::int64_t kSemiX = 7800;
constexpr std::int64_t kSemiY = 3800;

bool SampleInside(std::int64_t sx, std::int64_t sy) {
    const std::int64_t dx = sx - kCentreX;
    const std::int64_t dy = sy - kCentreY;
    return dx * dx * kSemiY * kSemiY + dy * dy * kSemiX * kSemiX <= kSemiX * kSemiX * kSemiY * kSemiY;
}

// How many of the pixel's 8 x 4 sub-samples fall inside, limited to 15.
int EdgeLevel(int x, int y) {
    int inside = 0;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 8; ++i) {
            inside += SampleInside(kScale * x + 5 * (2 * i + 1), kScale * y + 10 * (2 * j + 1)) ? 1 : 0;
        }
    }
    return std::min(inside, 15);
}

// Shades up to five pixels outward from the run's end at `start`, stopping
// at the first pixel that has no samples inside or would be brighter than
// the one before it, so each side is one unbroken, darkening stretch.
void ShadeSide(GreenCanvas& canvas, int y, int start, int step) {
    int previous = 15;
    for (int n = 0, x = start; n < 5 && x >= 0 && x < kWidth; ++n, x += step) {
        const int level = EdgeLevel(x, y);
        if (level == 0 || level > previous) return;
        canvas.SetGreen(x, y, static_cast<std::uint8_t>(8 * level));
        previous = level;
    }
}

}  // namespace

TemplatePicture EllipseTemplate() {
    GreenCanvas canvas(kWidth, kHeight);
    const std::vector<LimeRun> runs = ParseRuns(kLimeRuns);
    canvas.FillRuns(kFirstLimeRow, runs);
    for (const ShadeSpan& span : kFixedRims) {
        for (int x = span.first; x <= span.last; ++x) canvas.SetGreen(x, span.y, span.green);
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int y = kFirstLimeRow + static_cast<int>(i);
        if (HasFixedRim(y)) continue;
        ShadeSide(canvas, y, runs[i].first - 1, -1);
        ShadeSide(canvas, y, runs[i].last + 1, +1);
    }
    return canvas.Take();
}

}  // namespace veilix
