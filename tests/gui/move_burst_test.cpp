// Pointer moves that arrive together: the window system queues them, and the
// sheet handles the burst as one move at its last place, before whatever
// input follows it.
#include "stencil_gui.h"

namespace veilix::gui {
namespace {

// Stands in for a hole's move handler: counts the calls, then does what the
// sheet's own handler does.
struct CountedMoveHandler {
    int calls = 0;
    void Move(TComponent* sender, TShiftState shift, int x, int y) {
        ++calls;
        Form1->Image1MouseMove(sender, shift, x, y);
    }
};

// Queues a move as the window system would, without handling it.
void QueueMove(QPoint global) { QCursor::setPos(global); }

TEST_F(StencilGui, BurstOfMovesWhileDraggingIsOneStepEndingAtTheLastPlace) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    CountedMoveHandler handler;
    hole->OnMouseMove = TMouseMoveEvent(&handler, &CountedMoveHandler::Move);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    const QPoint start = pointer.Position();
    pointer.Press(Qt::LeftButton);
    ASSERT_TRUE(Form1->Drag().Dragging);

    handler.calls = 0;
    const int burst[] = {5, 17, -9, 40, 3, 12};
    for (int dx : burst) QueueMove(start + QPoint(dx, 2));
    EXPECT_EQ(handler.calls, 0) << "moves were handled before the program took its turn";
    ProcessEvents();

    EXPECT_EQ(handler.calls, 1) << "a burst of moves is one step";
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 112, 100)) << "the last place wins";
    EXPECT_EQ(*Form1->Drag().CursorNow, (TPoint{start.x() + 12, start.y() + 2}));

    // The next burst is a step of its own.
    QueueMove(start + QPoint(25, 0));
    QueueMove(start + QPoint(-20, 0));
    ProcessEvents();
    EXPECT_EQ(handler.calls, 2);
    EXPECT_EQ(hole->Width(), 80);
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(hole->Width(), 80);
}

// A press that comes right after moves the program has not handled yet finds
// them handled first: their hit test chose the zone the press drags by.
TEST_F(StencilGui, PressRightAfterMovesDragsByTheZoneOfTheLastPlace) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    ASSERT_EQ(Form1->Drag().Zone, hzRight);

    // Over the hole to its bottom edge and pressed there, each delivered to
    // the sheet at once, with no turn of the event loop in between.
    QWindow* window = SheetWindow();
    int timestamp = 50000000;
    auto deliver = [&](QEvent::Type type, QPoint global, Qt::MouseButtons held, Qt::MouseButton button) {
        qt_handleMouseEvent(window, QPointF(global - window->position()), QPointF(global), held, button, type,
                            Qt::NoModifier, timestamp += 1000);
    };
    const QPoint bottom = OnHole(*hole, 50, 98);
    deliver(QEvent::MouseMove, OnHole(*hole, 1, 50), Qt::NoButton, Qt::NoButton);
    deliver(QEvent::MouseMove, OnHole(*hole, 50, 1), Qt::NoButton, Qt::NoButton);
    deliver(QEvent::MouseMove, bottom, Qt::NoButton, Qt::NoButton);
    QCursor::setPos(bottom);  // where the window system's pointer now is
    deliver(QEvent::MouseButtonPress, bottom, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(Form1->Drag().Dragging);
    EXPECT_EQ(Form1->Drag().Zone, hzBottom);
    EXPECT_EQ(*Form1->Drag().CursorAtPress, (TPoint{bottom.x(), bottom.y()}));

    QCursor::setPos(bottom + QPoint(0, 20));
    deliver(QEvent::MouseMove, bottom + QPoint(0, 20), Qt::LeftButton, Qt::NoButton);
    deliver(QEvent::MouseButtonRelease, bottom + QPoint(0, 20), Qt::NoButton, Qt::LeftButton);
    ProcessEvents();
    EXPECT_FALSE(Form1->Drag().Dragging);
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 100, 120));
}

}  // namespace
}  // namespace veilix::gui
