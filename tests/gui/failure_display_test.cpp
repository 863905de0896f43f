// A failure that escapes a handler is shown in the box, under the title, and
// the program goes on with the next event; an abort is shown nowhere.
#include <new>

#include "platform/core/exception.h"
#include "stencil_gui.h"

namespace veilix::gui {
namespace {

// Handlers bound in the test's place of the program's own: the first calls
// fail, the later ones hand over to what was bound before, if anything.
struct FailingHandler {
    explicit FailingHandler(std::function<void()> r) : raise(std::move(r)) {}

    std::function<void()> raise;
    int failures = 1;
    int calls = 0;
    TMouseMoveEvent passMoveTo;

    void Move(TComponent* sender, TShiftState shift, int x, int y) {
        if (++calls <= failures) raise();
        passMoveTo(sender, shift, x, y);
    }
    void Click(TComponent*) {
        if (++calls <= failures) raise();
    }
};

struct FailureCase {
    const char* name;
    std::function<void()> raise;
    std::vector<ShownBox> shown;
};

class FailureGui : public StencilGui, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureGui, PointerHandlerFailureIsShownAndTheNextEventIsHandled) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnSheet(300, 200));
    FailingHandler failing(GetParam().raise);
    Form1->OnMouseMove = TMouseMoveEvent(&failing, &FailingHandler::Move);

    pointer.MoveTo(OnSheet(310, 200));
    EXPECT_EQ(failing.calls, 1);
    EXPECT_EQ(boxes, GetParam().shown);

    pointer.MoveTo(OnSheet(320, 200));
    EXPECT_EQ(failing.calls, 2);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    EXPECT_EQ(Form1->ShownCursor(), crSizeWE);
    EXPECT_EQ(boxes, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureGui,
    ::testing::Values(FailureCase{"OutOfMemoryGetsAFullStop",
                                  [] { throw Exception("Mémoire insuffisante"); },
                                  {{"Veilix", "Mémoire insuffisante."}}},
                      FailureCase{
                          "FailedAllocation", [] { throw std::bad_alloc(); }, {{"Veilix", "Mémoire insuffisante."}}},
                      FailureCase{"EndingInFullStopUnchanged",
                                  [] { throw Exception("Opération impossible."); },
                                  {{"Veilix", "Opération impossible."}}},
                      FailureCase{"EmptyMessageEmptyBox", [] { throw Exception(""); }, {{"Veilix", ""}}},
                      FailureCase{"AbortShowsNothing", [] { throw EAbort(); }, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The command runs from the queue after the menu has closed; its failure is
// the event loop's to show, and the next command still works.
TEST_F(StencilGui, MenuCommandFailureIsShownAndTheNextCommandRuns) {
    FailingHandler failing([] { throw Exception("Mémoire insuffisante"); });
    Form1->AddCube1->OnClick = TNotifyEvent(&failing, &FailingHandler::Click);

    EXPECT_TRUE(ChooseFromMenu({Letter('r')}));
    EXPECT_EQ(failing.calls, 1);
    EXPECT_EQ(boxes, (std::vector<ShownBox>{{"Veilix", "Mémoire insuffisante."}}));
    EXPECT_TRUE(Form1->Controls().empty());

    TImage* hole = AddEllipse();
    ASSERT_NE(hole, nullptr);
    EXPECT_EQ(hole->Width(), 200);
    EXPECT_EQ(boxes.size(), 1u);
}

// The failure display first cancels the capture, so a drag whose move failed
// no longer follows the pointer.
TEST_F(StencilGui, FailureDuringACapturedDragEndsTheCapture) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    const QPoint start = pointer.Position();
    pointer.Press(Qt::LeftButton);
    ASSERT_EQ(Form1->CaptureControl(), hole);

    FailingHandler failing([] { throw Exception("Mémoire insuffisante"); });
    failing.passMoveTo = hole->OnMouseMove;
    hole->OnMouseMove = TMouseMoveEvent(&failing, &FailingHandler::Move);
    pointer.MoveTo(start + QPoint(10, 0));
    EXPECT_EQ(boxes, (std::vector<ShownBox>{{"Veilix", "Mémoire insuffisante."}}));
    EXPECT_EQ(Form1->CaptureControl(), nullptr);
    EXPECT_EQ(hole->Width(), 100);

    // Off the hole the moves go to the black area now, not to the hole.
    pointer.MoveTo(OnSheet(300, 200));
    EXPECT_EQ(hole->Width(), 100);
    EXPECT_EQ(failing.calls, 1);
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
}  // namespace veilix::gui
