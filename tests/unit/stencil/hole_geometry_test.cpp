#include "stencil/hole_geometry.h"

#include <gtest/gtest.h>

#include "platform/forms/image.h"

namespace veilix {
namespace {

struct HitCase {
    TPoint pointer;
    TPoint origin;
    std::int32_t w, h;
    THit expected;
};

class HitZoneTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(HitZoneTest, ZoneAndCursor) {
    const HitCase& c = GetParam();
    const THit hit = HitZoneAt(c.pointer, c.origin, c.w, c.h);
    EXPECT_EQ(hit.Zone, c.expected.Zone) << "pointer " << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(hit.Cursor, c.expected.Cursor) << "pointer " << c.pointer.x << "," << c.pointer.y;
}

// A hole 100 x 100 whose top-left corner is at screen (300, 200).
INSTANTIATE_TEST_SUITE_P(Zones, HitZoneTest,
                         ::testing::Values(
                             // Columns: 309 left, 310 and 390 middle, 391 right.
                             HitCase{{309, 250}, {300, 200}, 100, 100, {hzLeft, crSizeWE}},
                             HitCase{{310, 250}, {300, 200}, 100, 100, {hzInside, crDefault}},
                             HitCase{{390, 250}, {300, 200}, 100, 100, {hzInside, crDefault}},
                             HitCase{{391, 250}, {300, 200}, 100, 100, {hzRight, crSizeWE}},
                             // Rows: 209 top, 210 and 290 middle, 291 bottom.
                             HitCase{{350, 209}, {300, 200}, 100, 100, {hzTop, crSizeNS}},
                             HitCase{{350, 210}, {300, 200}, 100, 100, {hzInside, crDefault}},
                             HitCase{{350, 290}, {300, 200}, 100, 100, {hzInside, crDefault}},
                             HitCase{{350, 291}, {300, 200}, 100, 100, {hzBottom, crSizeNS}},
                             // Corners.
                             HitCase{{300, 200}, {300, 200}, 100, 100, {hzTopLeft, crSizeNWSE}},
                             HitCase{{399, 200}, {300, 200}, 100, 100, {hzTopRight, crSizeNESW}},
                             HitCase{{399, 299}, {300, 200}, 100, 100, {hzBottomRight, crSizeNWSE}},
                             HitCase{{300, 299}, {300, 200}, 100, 100, {hzBottomLeft, crSizeNESW}},
                             // Under 20 pixels wide or high, near both edges counts as left or top.
                             HitCase{{307, 250}, {300, 200}, 15, 100, {hzLeft, crSizeWE}},
                             HitCase{{350, 207}, {300, 200}, 100, 15, {hzTop, crSizeNS}},
                             HitCase{{307, 207}, {300, 200}, 15, 15, {hzTopLeft, crSizeNWSE}},
                             HitCase{{312, 212}, {300, 200}, 15, 15, {hzBottomRight, crSizeNWSE}},
                             HitCase{{310, 250}, {300, 200}, 15, 100, {hzRight, crSizeWE}},
                             // Zero and negative sizes still give a zone from the same comparisons.
                             HitCase{{300, 250}, {300, 200}, 0, 100, {hzLeft, crSizeWE}},
                             HitCase{{350, 250}, {300, 200}, -40, 100, {hzRight, crSizeWE}}));

struct DragCase {
    std::int32_t zone;
    TPoint delta;
    TRect expected;  // Left, Top, Right, Bottom
};

class DragStepTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(DragStepTest, MovesOnlyTheZonesEdges) {
    const DragCase& c = GetParam();
    TImage hole(nullptr);
    hole.SetLeft(0);
    hole.SetTop(50);
    hole.SetWidth(100);
    hole.SetHeight(100);

    TDragRecord drag;
    drag.CursorAtPress = std::make_unique<TPoint>(TPoint{500, 400});
    drag.CursorNow = std::make_unique<TPoint>(TPoint{500 + c.delta.x, 400 + c.delta.y});
    drag.StartLeft = 0;
    drag.StartTop = 50;
    drag.StartWidth = 100;
    drag.StartHeight = 100;

    ApplyDragStep(c.zone, drag, hole);
    EXPECT_EQ(hole.BoundsRect(), c.expected) << "zone " << c.zone;
}

INSTANTIATE_TEST_SUITE_P(
    Zones, DragStepTest,
    ::testing::Values(DragCase{hzRight, {25, 7}, {0, 50, 125, 150}},
                      // The left-edge example: Left 30, Width 70, the right edge stays at 100.
                      DragCase{hzLeft, {30, 7}, {30, 50, 100, 150}}, DragCase{hzTop, {7, -20}, {0, 30, 100, 150}},
                      DragCase{hzBottom, {7, 15}, {0, 50, 100, 165}}, DragCase{hzTopRight, {10, 20}, {0, 70, 110, 150}},
                      DragCase{hzBottomRight, {-10, -20}, {0, 50, 90, 130}},
                      DragCase{hzTopLeft, {-5, -5}, {-5, 45, 100, 150}},
                      DragCase{hzBottomLeft, {40, 40}, {40, 50, 100, 190}},
                      DragCase{hzInside, {40, 40}, {0, 50, 100, 150}}, DragCase{42, {40, 40}, {0, 50, 100, 150}},
                      // Past the opposite edge: zero and negative sizes are stored as computed.
                      DragCase{hzRight, {-100, 0}, {0, 50, 0, 150}}, DragCase{hzRight, {-130, 0}, {0, 50, -30, 150}},
                      DragCase{hzLeft, {150, 0}, {150, 50, 100, 150}}, DragCase{hzTop, {0, 120}, {0, 170, 100, 150}}));

TEST(DragStep, MovingBackRestoresAPositiveSize) {
    TImage hole(nullptr);
    hole.SetWidth(100);
    hole.SetHeight(100);
    TDragRecord drag;
    drag.CursorAtPress = std::make_unique<TPoint>(TPoint{0, 0});
    drag.CursorNow = std::make_unique<TPoint>(TPoint{-150, 0});
    drag.StartWidth = 100;
    drag.StartHeight = 100;
    ApplyDragStep(hzRight, drag, hole);
    EXPECT_EQ(hole.Width(), -50);
    *drag.CursorNow = {-20, 0};
    ApplyDragStep(hzRight, drag, hole);
    EXPECT_EQ(hole.Width(), 80);
}

}  // namespace
}  // namespace veilix
