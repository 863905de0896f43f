// On a scaled desktop the pointer is read in the logical pixels the rim is
// drawn in: every device pixel of a drawn hole reads as a point of the hole,
// its drawn rim as the edge zones, and a drag moves the edge's device pixels
// with the pointer's.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/device_pixels.h"
#include "stencil/hole_geometry.h"

namespace veilix {
namespace {

class ScaledPointer : public testing::TestWithParam<qreal> {};

TEST_P(ScaledPointer, EachDevicePixelReadsAsTheLogicalPixelDrawnThere) {
    const qreal ratio = GetParam();
    for (int d = 0; d < 600; ++d) {
        // Qt reports the pointer's device position divided by the ratio.
        for (qreal within : {0.0, 0.5, 0.99}) {
            const int x = LogicalPixelAt((d + within) / ratio, ratio);
            ASSERT_LE(DeviceEdge(x, ratio), d) << "device " << d << " + " << within;
            ASSERT_LT(d, DeviceEdge(x + 1, ratio)) << "device " << d << " + " << within;
        }
    }
}

TEST_P(ScaledPointer, TheDrawnRimIsTheRimThatIsGrabbed) {
    // A hole 100 x 100 at logical (300, 200), as drawn at the ratio; the
    // pointer crosses its middle row one device pixel at a time.
    const qreal ratio = GetParam();
    const QRect hole(300, 200, 100, 100);
    const QRect drawn = DeviceRect(hole, ratio);
    const QRect leftRim = DeviceRect(QRect(300, 200, 10, 100), ratio);  // first ten columns
    const QRect rightRim = DeviceRect(QRect(391, 200, 9, 100), ratio);  // last nine
    const int row = drawn.center().y();
    const int y = LogicalPixelAt(row / ratio, ratio);
    for (int d = drawn.left() - 6; d < drawn.right() + 6; ++d) {
        const TPoint pointer{LogicalPixelAt(d / ratio, ratio), y};
        EXPECT_EQ(drawn.contains(d, row), hole.contains(pointer.x, pointer.y)) << "device column " << d;
        if (!drawn.contains(d, row)) continue;
        const std::int32_t expected = leftRim.contains(d, row)    ? hzLeft
                                      : rightRim.contains(d, row) ? hzRight
                                                                  : hzInside;
        EXPECT_EQ(HitZoneAt(pointer, {hole.x(), hole.y()}, hole.width(), hole.height()).Zone, expected)
            << "device column " << d;
    }
    // A drag from the right rim: the edge's device column follows the
    // pointer's to within the width of one logical pixel.
    const int press = rightRim.left() + 1;
    for (int by : {-40, -7, 1, 33}) {
        const int moved = LogicalPixelAt((press + by) / ratio, ratio) - LogicalPixelAt(press / ratio, ratio);
        const int edge = DeviceEdge(hole.right() + 1 + moved, ratio) - drawn.right() - 1;
        EXPECT_LE(std::abs(edge - by), int(std::ceil(ratio))) << "pointer moved " << by << ", edge " << edge;
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, ScaledPointer, testing::Values(1.0, 1.25, 1.5, 2.0));

}  // namespace
}  // namespace veilix
