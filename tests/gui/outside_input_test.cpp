// Pointer events outside the sheet. While a button pressed on the sheet is
// held, the window system hands us the pointer's events wherever it goes; with
// no capture of ours, those outside the sheet belong to what lies beneath and
// must run none of our handlers.
#include "stencil_gui.h"

namespace veilix::gui {
namespace {

// Below the sheet, off every pixel of it.
QPoint BelowTheSheet() { return OnSheet(98, Form1->Height() + 200); }

struct OutsideCase {
    const char* name;
    Qt::MouseButton held;  // pressed on a hole's rim, then carried outside
};

class OutsideInputGui : public StencilGui, public ::testing::WithParamInterface<OutsideCase> {
protected:
    // A rectangle hole; `held` pressed on its right rim and carried below the
    // sheet. The drag record stays as that press left it.
    TImage* PressOnRimAndLeave() {
        TImage* hole = AddRectangle();
        if (!hole) return nullptr;
        pointer.MoveTo(OnHole(*hole, 98, 50));
        pointer.Press(GetParam().held);
        EXPECT_TRUE(Form1->Drag().Dragging);
        pointer.MoveTo(BelowTheSheet());
        return hole;
    }
};

TEST_P(OutsideInputGui, ReleaseOutsideOpensNoMenuAndPullsNothingBack) {
    TImage* hole = PressOnRimAndLeave();
    ASSERT_NE(hole, nullptr);
    const int overhanging = VirtualDesktopSize().cx - 300;
    Form1->SetLeft(overhanging);
    // Release fails the test itself if a menu opens.
    pointer.Release(GetParam().held);
    EXPECT_EQ(Form1->Left(), overhanging);
    EXPECT_TRUE(Form1->Drag().Dragging) << "the release did not reach a hole";
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 100, 100));
}

TEST_P(OutsideInputGui, PrimaryPressOutsideNeitherMovesTheSheetNorStartsADrag) {
    TImage* hole = PressOnRimAndLeave();
    ASSERT_NE(hole, nullptr);
    const QPoint place(Form1->Left(), Form1->Top());
    const TPoint pressedAt = *Form1->Drag().CursorAtPress;

    pointer.Press(Qt::LeftButton);  // the guard fails the test if a move starts
    EXPECT_FALSE(SheetIsMoving());
    EXPECT_EQ(Form1->CaptureControl(), nullptr);
    pointer.MoveTo(BelowTheSheet() + QPoint(40, 30));
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(QPoint(Form1->Left(), Form1->Top()), place);
    EXPECT_EQ(Form1->Drag().CursorAtPress->x, pressedAt.x) << "a press outside was taken as one on a hole";
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 100, 100));

    MenuAnswer dismiss({kEscape});
    pointer.Release(GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(Buttons, OutsideInputGui,
                         ::testing::Values(OutsideCase{"Secondary", Qt::RightButton},
                                           OutsideCase{"Middle", Qt::MiddleButton}),
                         [](const auto& info) { return std::string(info.param.name); });

// A move outside leaves the hole (its cursor goes back to the arrow) but runs
// no drag step, even while a press of another button is unmatched.
TEST_F(StencilGui, MoveOutsideDuringAnUnmatchedPressResizesNothing) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    pointer.Press(Qt::MiddleButton);
    pointer.MoveTo(OnSheet(-40, 100));
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 100, 100));
    EXPECT_EQ(Form1->ShownCursor(), crDefault);
    pointer.MoveTo(OnHole(*hole, 98, 50));
    pointer.Release(Qt::MiddleButton);
    EXPECT_FALSE(Form1->Drag().Dragging);
}

// Another program's window lies over the sheet's lower part. While a button
// pressed on the sheet is held, the window system hands us the events over
// that window too; they are that window's. The question of what lies on top
// is answered here by the cover's rectangle.
class CoveredSheetGui : public StencilGui {
protected:
    void SetUp() override {
        StencilGui::SetUp();
        cover = QRect(OnSheet(0, 250), QSize(Form1->Width(), Form1->Height() - 250));
        TForm::SetPointerOverQuery([this](const TForm&) { return !cover.contains(QCursor::pos()); });
        hole = AddRectangle();
        ASSERT_NE(hole, nullptr);
    }
    void TearDown() override {
        TForm::SetPointerOverQuery({});
        StencilGui::TearDown();
    }
    // `button` pressed on the hole's right rim and carried onto the cover,
    // over the sheet's black area.
    void PressOnRimAndCarryOntoCover(Qt::MouseButton button) {
        pointer.MoveTo(OnHole(*hole, 98, 50));
        pointer.Press(button);
        ASSERT_TRUE(Form1->Drag().Dragging);
        pointer.MoveTo(OnSheet(98, 300));
        ASSERT_TRUE(cover.contains(pointer.Position()));
    }

    QRect cover;
    TImage* hole = nullptr;
};

TEST_F(CoveredSheetGui, SecondaryReleaseOverTheCoverOpensNoMenu) {
    PressOnRimAndCarryOntoCover(Qt::RightButton);
    pointer.Release(Qt::RightButton);  // fails the test if a menu opens
    EXPECT_TRUE(Form1->Drag().Dragging) << "the release over the cover reached the hole";

    // Beside the cover the same release is the sheet's: the query is asked
    // for the place, not answered no everywhere.
    MenuAnswer answer({kEscape});
    pointer.MoveTo(OnHole(*hole, 98, 50));
    pointer.Press(Qt::RightButton);
    pointer.MoveTo(OnSheet(300, 200));
    pointer.Release(Qt::RightButton);
    EXPECT_TRUE(answer.Seen());
}

TEST_F(CoveredSheetGui, PrimaryPressOverTheCoverMovesNothing) {
    PressOnRimAndCarryOntoCover(Qt::RightButton);
    const QPoint place(Form1->Left(), Form1->Top());
    pointer.Press(Qt::LeftButton);  // the guard fails the test if a move starts
    EXPECT_FALSE(SheetIsMoving());
    EXPECT_EQ(Form1->CaptureControl(), nullptr);
    pointer.MoveTo(pointer.Position() + QPoint(150, 20));
    pointer.Release(Qt::LeftButton);
    pointer.Release(Qt::RightButton);
    EXPECT_EQ(QPoint(Form1->Left(), Form1->Top()), place);
    EXPECT_EQ(hole->BoundsRect(), BoundsRect(0, 50, 100, 100));
}

TEST_F(CoveredSheetGui, MiddleReleaseOverTheCoverPullsNothingBack) {
    const int overhanging = VirtualDesktopSize().cx - 300;
    Form1->SetLeft(overhanging);
    cover.moveLeft(overhanging);
    PressOnRimAndCarryOntoCover(Qt::MiddleButton);
    pointer.Release(Qt::MiddleButton);
    EXPECT_EQ(Form1->Left(), overhanging);
}

}  // namespace
}  // namespace veilix::gui
