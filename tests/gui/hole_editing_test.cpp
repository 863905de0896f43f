// Editing holes through the sheet's real pointer routing: the cursor over each
// edge and corner, dragging them, and the drag record across buttons, holes
// and the black area.
#include "stencil_gui.h"

namespace veilix::gui {
namespace {

enum class Shape { Rectangle, Circle };

// A spot of plain black sheet, away from every hole these tests make.
QPoint BlackSpot() { return OnSheet(400, 250); }

struct HoverCase {
    const char* name;
    Shape shape;
    TPoint at;  // in the hole, on a black pixel of its template
    std::int32_t zone;
    TCursor cursor;
    Qt::CursorShape shown;
};

class HoverGui : public StencilGui, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(HoverGui, EdgeZoneSetsZoneAndCursor) {
    const HoverCase& c = GetParam();
    TImage* hole = c.shape == Shape::Rectangle ? AddRectangle() : AddCircle();
    ASSERT_NE(hole, nullptr);
    QWidget* sheet = Form1->NativeWidget();

    pointer.MoveTo(BlackSpot());
    EXPECT_EQ(Form1->ShownCursor(), crDefault);
    // From the right edge (black in both templates), so every case changes
    // the cursor it finds.
    pointer.MoveTo(OnHole(*hole, 98, 50));
    ASSERT_EQ(Form1->ShownCursor(), crSizeWE);

    pointer.MoveTo(OnHole(*hole, c.at.x, c.at.y));
    ASSERT_FALSE(Form1->IsKeyedAt({hole->Left() + c.at.x, hole->Top() + c.at.y}));
    EXPECT_EQ(Form1->Drag().Zone, c.zone);
    EXPECT_EQ(hole->Cursor(), c.cursor);
    EXPECT_EQ(Form1->ShownCursor(), c.cursor);
    EXPECT_EQ(sheet->cursor().shape(), c.shown);
    EXPECT_EQ(*Form1->Drag().CursorNow, (TPoint{pointer.Position().x(), pointer.Position().y()}));
    EXPECT_FALSE(Form1->Drag().Dragging);

    // Leaving onto the black area gives the arrow back.
    pointer.MoveTo(BlackSpot());
    EXPECT_EQ(hole->Cursor(), crDefault);
    EXPECT_EQ(Form1->ShownCursor(), crDefault);
    EXPECT_EQ(sheet->cursor().shape(), Qt::ArrowCursor);
}

// The rectangle is black only in its two outer rows and columns; the circle is
// black at (12, 12), in the middle column and row.
INSTANTIATE_TEST_SUITE_P(
    Zones, HoverGui,
    ::testing::Values(
        HoverCase{"Right", Shape::Rectangle, {99, 50}, hzRight, crSizeWE, Qt::SizeHorCursor},
        HoverCase{"Left", Shape::Rectangle, {1, 50}, hzLeft, crSizeWE, Qt::SizeHorCursor},
        HoverCase{"Top", Shape::Rectangle, {50, 1}, hzTop, crSizeNS, Qt::SizeVerCursor},
        HoverCase{"Bottom", Shape::Rectangle, {50, 98}, hzBottom, crSizeNS, Qt::SizeVerCursor},
        HoverCase{"TopRight", Shape::Rectangle, {98, 1}, hzTopRight, crSizeNESW, Qt::SizeBDiagCursor},
        HoverCase{"BottomRight", Shape::Rectangle, {98, 98}, hzBottomRight, crSizeNWSE, Qt::SizeFDiagCursor},
        HoverCase{"TopLeft", Shape::Rectangle, {1, 1}, hzTopLeft, crSizeNWSE, Qt::SizeFDiagCursor},
        HoverCase{"BottomLeft", Shape::Rectangle, {1, 98}, hzBottomLeft, crSizeNESW, Qt::SizeBDiagCursor},
        // Columns: the first ten pixels are left, the last nine right.
        HoverCase{"Column9IsLeft", Shape::Rectangle, {9, 0}, hzTopLeft, crSizeNWSE, Qt::SizeFDiagCursor},
        HoverCase{"Column10IsMiddle", Shape::Rectangle, {10, 0}, hzTop, crSizeNS, Qt::SizeVerCursor},
        HoverCase{"Column90IsMiddle", Shape::Rectangle, {90, 0}, hzTop, crSizeNS, Qt::SizeVerCursor},
        HoverCase{"Column91IsRight", Shape::Rectangle, {91, 0}, hzTopRight, crSizeNESW, Qt::SizeBDiagCursor},
        // Rows likewise.
        HoverCase{"Row9IsTop", Shape::Rectangle, {0, 9}, hzTopLeft, crSizeNWSE, Qt::SizeFDiagCursor},
        HoverCase{"Row10IsMiddle", Shape::Rectangle, {0, 10}, hzLeft, crSizeWE, Qt::SizeHorCursor},
        HoverCase{"Row90IsMiddle", Shape::Rectangle, {0, 90}, hzLeft, crSizeWE, Qt::SizeHorCursor},
        HoverCase{"Row91IsBottom", Shape::Rectangle, {0, 91}, hzBottomLeft, crSizeNESW, Qt::SizeBDiagCursor},
        HoverCase{"InsideShowsArrow", Shape::Circle, {12, 12}, hzInside, crDefault, Qt::ArrowCursor}),
    [](const auto& info) { return std::string(info.param.name); });

struct DragCase {
    const char* name;
    Shape shape;
    TPoint press;  // in the hole, on a black pixel
    QPoint delta;
    TRect expected;
};

class DragGui : public StencilGui, public ::testing::WithParamInterface<DragCase> {};

TEST_P(DragGui, PrimaryDragMovesTheZonesEdges) {
    const DragCase& c = GetParam();
    TImage* hole = c.shape == Shape::Rectangle ? AddRectangle() : AddCircle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, c.press.x, c.press.y));
    const TCursor atPress = Form1->ShownCursor();
    const QPoint start = pointer.Position();

    pointer.Press(Qt::LeftButton);
    EXPECT_TRUE(Form1->Drag().Dragging);
    EXPECT_EQ(Form1->CaptureControl(), hole);
    EXPECT_EQ(*Form1->Drag().CursorAtPress, (TPoint{start.x(), start.y()}));
    // Each step counts from the press, so a step on the way changes nothing
    // about where the edges end.
    pointer.MoveTo(start + c.delta / 2);
    EXPECT_EQ(Form1->ShownCursor(), atPress);  // the capture keeps the press's shape
    pointer.MoveTo(start + c.delta);
    pointer.Release(Qt::LeftButton);

    EXPECT_EQ(hole->BoundsRect(), c.expected);
    EXPECT_FALSE(Form1->Drag().Dragging);
    EXPECT_EQ(Form1->CaptureControl(), nullptr);
    // After the release the arrow, until the next move runs the hit test.
    EXPECT_EQ(hole->Cursor(), crDefault);
    EXPECT_EQ(Form1->ShownCursor(), crDefault);
    // A press on a hole never moves the sheet.
    EXPECT_EQ(Form1->Left(), kSheetLeft);
    EXPECT_EQ(Form1->Top(), kSheetTop);
}

// Every hole starts at Left 0, Top 50, 100 x 100.
INSTANTIATE_TEST_SUITE_P(
    Zones, DragGui,
    ::testing::Values(DragCase{"LeftThirtyRight", Shape::Rectangle, {1, 50}, {30, 0}, BoundsRect(30, 50, 70, 100)},
                      DragCase{"Right", Shape::Rectangle, {98, 50}, {20, 10}, BoundsRect(0, 50, 120, 100)},
                      DragCase{"Left", Shape::Rectangle, {1, 50}, {20, 10}, BoundsRect(20, 50, 80, 100)},
                      DragCase{"Top", Shape::Rectangle, {50, 1}, {20, 10}, BoundsRect(0, 60, 100, 90)},
                      DragCase{"Bottom", Shape::Rectangle, {50, 98}, {20, 10}, BoundsRect(0, 50, 100, 110)},
                      DragCase{"TopRight", Shape::Rectangle, {98, 1}, {20, 10}, BoundsRect(0, 60, 120, 90)},
                      DragCase{"BottomRight", Shape::Rectangle, {98, 98}, {20, 10}, BoundsRect(0, 50, 120, 110)},
                      DragCase{"TopLeft", Shape::Rectangle, {1, 1}, {20, 10}, BoundsRect(20, 60, 80, 90)},
                      DragCase{"BottomLeft", Shape::Rectangle, {1, 98}, {20, 10}, BoundsRect(20, 50, 80, 110)},
                      // Past the sheet's left and top edges: nothing limits the bounds.
                      DragCase{
                          "TopLeftOffTheSheet", Shape::Rectangle, {1, 1}, {-30, -60}, BoundsRect(-30, -10, 130, 160)},
                      // Past the opposite edge: no area left.
                      DragCase{"RightPastLeftEdge", Shape::Rectangle, {98, 50}, {-120, 0}, BoundsRect(0, 50, -20, 100)},
                      DragCase{"InsideChangesNothing", Shape::Circle, {12, 12}, {20, 10}, BoundsRect(0, 50, 100, 100)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StencilGui, PrimaryDragKeepsResizingOffTheHoleAndEndsAtAReleaseAnywhere) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    const QPoint start = pointer.Position();
    pointer.Press(Qt::LeftButton);

    struct Step {
        const char* over;
        QPoint at;
    };
    const QPoint outsideRight(Form1->Left() + Form1->Width() + 30, start.y());
    const Step steps[] = {
        {"its own lime", OnHole(*hole, 50, 50)},
        {"the black area", OnSheet(300, 100)},
        {"nothing: right of the sheet", outsideRight},
        {"nothing: left of the sheet, past the hole's left edge", QPoint(Form1->Left() - 10, start.y())},
        {"its black again", OnHole(*hole, 40, 1)},
        {"nothing: below the sheet", QPoint(start.x() + 7, Form1->Top() + Form1->Height() + 20)},
    };
    for (const Step& step : steps) {
        pointer.MoveTo(step.at);
        EXPECT_EQ(hole->Width(), 100 + (step.at.x() - start.x())) << step.over;
        EXPECT_EQ(hole->Height(), 100) << step.over;
        EXPECT_EQ(Form1->ShownCursor(), crSizeWE) << step.over;
        EXPECT_TRUE(Form1->Drag().Dragging) << step.over;
    }

    // Released below the sheet, over no window of ours.
    pointer.Release(Qt::LeftButton);
    EXPECT_FALSE(Form1->Drag().Dragging);
    EXPECT_EQ(Form1->CaptureControl(), nullptr);
    EXPECT_EQ(hole->Width(), 107);

    // Ended: moves no longer resize, they hit-test again.
    pointer.MoveTo(OnHole(*hole, 50, 1));
    EXPECT_EQ(hole->Width(), 107);
    EXPECT_EQ(Form1->ShownCursor(), crSizeNS);
}

// A hole whose right edge was dragged past its left edge is out of reach once
// the button is up, but moving back while it is still held restores it.
TEST_F(StencilGui, HoleWithoutAreaComesBackWhileThePrimaryButtonIsHeld) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    const QPoint start = pointer.Position();
    pointer.Press(Qt::LeftButton);
    pointer.MoveTo(start - QPoint(110, 0));
    EXPECT_EQ(hole->Width(), -10);
    EXPECT_EQ(Form1->ControlAt({0, 100}), nullptr);
    pointer.MoveTo(start - QPoint(30, 0));
    EXPECT_EQ(hole->Width(), 70);
    pointer.Release(Qt::LeftButton);

    pointer.MoveTo(OnHole(*hole, 69, 50));
    EXPECT_EQ(Form1->ShownCursor(), crSizeWE);
    pointer.Press(Qt::LeftButton);
    pointer.MoveTo(pointer.Position() - QPoint(100, 0));
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(hole->Width(), -30);
    pointer.MoveTo(OnSheet(0, 100));
    EXPECT_EQ(Form1->ControlAt({0, 100}), nullptr);
    EXPECT_EQ(Form1->ShownCursor(), crDefault);
}

TEST_F(StencilGui, SecondaryDragOnTheHoleResizesAndItsReleaseEndsTheDragBeforeTheMenu) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    const QPoint start = pointer.Position();
    pointer.Press(Qt::RightButton);
    EXPECT_TRUE(Form1->Drag().Dragging);
    EXPECT_EQ(Form1->CaptureControl(), nullptr);  // no capture for this button
    // Pixel by pixel along the growing black rim.
    pointer.MoveTo(start + QPoint(1, 0));
    pointer.MoveTo(start + QPoint(2, 0));
    EXPECT_EQ(hole->Width(), 102);

    bool draggingWhileOpen = true;
    TCursor holeCursorWhileOpen = crSizeWE;
    MenuAnswer answer({kEscape}, [&](QWidget&) {
        draggingWhileOpen = Form1->Drag().Dragging;
        holeCursorWhileOpen = hole->Cursor();
    });
    pointer.Release(Qt::RightButton);
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Geometry().topLeft(), start + QPoint(2, 0));
    EXPECT_FALSE(draggingWhileOpen);
    EXPECT_EQ(holeCursorWhileOpen, crDefault);
    EXPECT_FALSE(Form1->Drag().Dragging);
    EXPECT_EQ(hole->Width(), 102);
    EXPECT_EQ(Form1->Controls().size(), 1u);
}

class UnmatchedPressGui : public StencilGui, public ::testing::WithParamInterface<Qt::MouseButton> {};

// An ellipse, then a rectangle over its left half. The press is on the
// rectangle's right edge; its release lands on the black area, so the drag
// stays on, and the next move over the ellipse resizes the ellipse with the
// rectangle's start bounds and zone.
TEST_P(UnmatchedPressGui, ReleaseOverBlackAreaLeavesTheDragForTheNextHole) {
    const Qt::MouseButton button = GetParam();
    TImage* ellipse = AddEllipse();
    TImage* rectangle = AddRectangle();
    ASSERT_NE(ellipse, nullptr);
    ASSERT_NE(rectangle, nullptr);

    pointer.MoveTo(OnHole(*rectangle, 98, 50));
    ASSERT_EQ(Form1->Drag().Zone, hzRight);
    const QPoint start = pointer.Position();
    pointer.Press(button);
    pointer.MoveTo(BlackSpot());
    {
        MenuAnswer answer({kEscape});
        pointer.Release(button);
        EXPECT_EQ(answer.Seen(), button == Qt::RightButton);
    }
    EXPECT_TRUE(Form1->Drag().Dragging);
    EXPECT_EQ(rectangle->Width(), 100);

    // The ellipse's top row is black; a hit test there would say hzTop.
    const QPoint onEllipse = OnHole(*ellipse, 150, 1);
    pointer.MoveTo(onEllipse);
    EXPECT_EQ(ellipse->Width(), 100 + (onEllipse.x() - start.x()));
    EXPECT_EQ(ellipse->Left(), 0);
    EXPECT_EQ(ellipse->Height(), 100);
    EXPECT_EQ(rectangle->Width(), 100);
    EXPECT_EQ(Form1->Drag().Zone, hzRight);
    EXPECT_EQ(ellipse->Cursor(), crDefault);
    EXPECT_EQ(Form1->ShownCursor(), crDefault);
    EXPECT_TRUE(Form1->Drag().Dragging);
}

INSTANTIATE_TEST_SUITE_P(Buttons, UnmatchedPressGui, ::testing::Values(Qt::RightButton, Qt::MiddleButton),
                         [](const auto& info) {
                             return std::string(info.param == Qt::RightButton ? "Secondary" : "Middle");
                         });

// The second press of a double click is a press like any other: it starts a
// new drag.
TEST_F(StencilGui, SecondPressOfADoubleClickStartsADrag) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 50, 98));
    const QPoint start = pointer.Position();
    pointer.Press(Qt::LeftButton);
    pointer.Release(Qt::LeftButton);
    EXPECT_FALSE(Form1->Drag().Dragging);

    pointer.Press(Qt::LeftButton, /*secondOfDoubleClick=*/true);
    EXPECT_TRUE(Form1->Drag().Dragging);
    EXPECT_EQ(Form1->CaptureControl(), hole);
    pointer.MoveTo(start + QPoint(0, 25));
    pointer.Release(Qt::LeftButton);
    EXPECT_FALSE(Form1->Drag().Dragging);
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 100, 125));
}

TEST_F(StencilGui, LeavingTheSheetGivesTheHoleTheArrowBack) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 1, 50));
    ASSERT_EQ(hole->Cursor(), crSizeWE);
    pointer.MoveTo(OnSheet(-5, 100));  // off the sheet's left edge
    EXPECT_EQ(hole->Cursor(), crDefault);
    EXPECT_EQ(Form1->ShownCursor(), crDefault);
    EXPECT_EQ(Form1->Drag().Zone, hzLeft);
}

// The hole appears under a pointer that then does not move: nothing has
// hit-tested it, so a press drags by the zone of the latest hit test (none
// yet: the right edge), not by where the pointer is (the left edge).
TEST_F(StencilGui, PressOnANewHoleBeforeAnyHitTestUsesTheLatestZone) {
    pointer.MoveTo(OnSheet(1, 50 + 60));
    MenuAnswer answer({Letter('r')});
    pointer.ClickOnSheet(Qt::RightButton);
    ProcessEvents();
    ASSERT_TRUE(answer.Seen());
    ASSERT_EQ(Form1->Controls().size(), 1u);
    TImage* hole = static_cast<TImage*>(Form1->Controls().back());
    ASSERT_EQ(Form1->ControlAt({1, 110}), hole);

    const QPoint start = pointer.Position();
    pointer.Press(Qt::LeftButton);
    pointer.MoveTo(start + QPoint(15, 0));
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 115, 100));
}

}  // namespace
}  // namespace veilix::gui
