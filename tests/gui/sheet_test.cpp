// The sheet itself: its start, its popup menu, moving it, the pull-back, and
// "&Close" ending the event loop.
#include <QContextMenuEvent>

#include "stencil_gui.h"

namespace veilix::gui {
namespace {

TEST_F(StencilGui, SheetIsTheShownMainWindowAndBlackEverywhere) {
    EXPECT_EQ(Application->MainForm(), Form1);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(Form1->Caption(), "Hide");
    EXPECT_EQ(designedPlace, QPoint(274, 309));
    EXPECT_EQ(Form1->Width(), 651);
    EXPECT_EQ(Form1->Height(), 338);
    EXPECT_TRUE(Form1->Controls().empty());

    Form1->UpdateFrame();
    for (const TPoint p : {TPoint{0, 0}, TPoint{650, 0}, TPoint{0, 337}, TPoint{650, 337}, TPoint{325, 169}}) {
        EXPECT_EQ(Form1->FramePixel(p.x, p.y), clBlack) << p.x << "," << p.y;
        EXPECT_FALSE(Form1->IsKeyedAt(p)) << p.x << "," << p.y;
    }

    std::vector<std::string> captions;
    for (const TMenuItem* item : Form1->PopupMenu()->Items()) captions.push_back(item->Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Add &Rectangle", "Add Circle", "Add &Ellipse", "&Close"}));
}

// A change reaches the screen by the update request it posts, which the sheet
// answers by composing its frame: a hole moved elsewhere shows there, and its
// old place turns black, with nothing here composing the frame itself.
TEST_F(StencilGui, AMovedHoleReachesTheFrameThroughTheEventLoopAlone) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    ProcessEvents();
    const TBitmap& picture = *hole->Picture().Bitmap();
    ASSERT_EQ(picture.Width(), hole->Width());
    ASSERT_EQ(picture.Height(), hole->Height());
    const TPoint from{hole->Left(), hole->Top()};
    const TPoint to{from.x + hole->Width() + 20, from.y + 40};
    ASSERT_LE(to.x + hole->Width(), Form1->Width());
    ASSERT_LE(to.y + hole->Height(), Form1->Height());

    hole->SetLeft(to.x);
    hole->SetTop(to.y);
    ProcessEvents();
    int moved = 0, left = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            if (Form1->FramePixel(to.x + x, to.y + y) != picture.Pixel(x, y)) ++moved;
            if (Form1->FramePixel(from.x + x, from.y + y) != clBlack) ++left;
        }
    EXPECT_EQ(moved, 0) << "pixels of the hole missing at its new place";
    EXPECT_EQ(left, 0) << "pixels of the hole left at its old place";
}

// The sheet overhangs the desktop on the right and at the bottom; the right
// click's release reaches the black area, so the pull-back runs, but only
// once the menu it opened has closed.
TEST_F(StencilGui, RightClickOpensMenuAtPointerAndPullsBackOnlyAfterItCloses) {
    const TSize desktop = VirtualDesktopSize();
    Form1->SetLeft(desktop.cx - 500);
    Form1->SetTop(desktop.cy - 300);
    const QPoint at = OnSheet(20, 30);
    pointer.MoveTo(at);

    QPoint sheetWhileOpen;
    bool movingWhileOpen = true;
    MenuAnswer answer({kEscape}, [&](QWidget&) {
        sheetWhileOpen = QPoint(Form1->Left(), Form1->Top());
        movingWhileOpen = SheetIsMoving();
    });
    EXPECT_TRUE(pointer.ClickOnSheet(Qt::RightButton));

    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Geometry().topLeft(), at);
    EXPECT_FALSE(movingWhileOpen);
    EXPECT_EQ(sheetWhileOpen, QPoint(desktop.cx - 500, desktop.cy - 300));
    EXPECT_EQ(Form1->Left(), 0);
    EXPECT_EQ(Form1->Top(), 0);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(Form1->Controls().empty());  // dismissed: no command ran
}

// The command comes after the release that opened the menu has been handled
// to its end, pull-back included.
TEST_F(StencilGui, ChosenCommandRunsAfterTheReleaseThatOpenedTheMenu) {
    struct Recorder {
        QPoint sheetAt;
        int runs = 0;
        void Click(TComponent*) {
            sheetAt = QPoint(Form1->Left(), Form1->Top());
            ++runs;
        }
    } recorder;
    Form1->AddCube1->OnClick = TNotifyEvent(&recorder, &Recorder::Click);
    Form1->SetTop(VirtualDesktopSize().cy - 300);

    EXPECT_TRUE(ChooseFromMenu({Letter('r')}));
    EXPECT_EQ(recorder.runs, 1);
    EXPECT_EQ(recorder.sheetAt, QPoint(kSheetLeft, 0));
}

TEST_F(StencilGui, DraggingTheBlackAreaMovesTheSheet) {
    pointer.MoveTo(OnSheet(300, 100));
    const QPoint start = pointer.Position();
    EXPECT_TRUE(pointer.PressOnSheetAndRelease(Qt::LeftButton, start + QPoint(30, 20)));
    EXPECT_EQ(Form1->Left(), kSheetLeft + 30);
    EXPECT_EQ(Form1->Top(), kSheetTop + 20);

    // Partly off the left and top edges: never pulled back.
    const QPoint second = pointer.Position();
    EXPECT_TRUE(pointer.PressOnSheetAndRelease(Qt::LeftButton, second - QPoint(kSheetLeft + 30 + 25, 0)));
    EXPECT_EQ(Form1->Left(), -25);
    EXPECT_EQ(Form1->Top(), kSheetTop + 20);
    pointer.MoveTo(OnSheet(300, 100));
    EXPECT_TRUE(pointer.PressOnSheetAndRelease(Qt::LeftButton, pointer.Position() - QPoint(0, kSheetTop + 20 + 15)));
    EXPECT_EQ(Form1->Left(), -25);
    EXPECT_EQ(Form1->Top(), -15);

    // Dragged past the right edge: the release that ends the move still
    // reaches the black area and pulls the sheet back to x 0.
    const TSize desktop = VirtualDesktopSize();
    pointer.MoveTo(OnSheet(300, 100));
    const int pastRight = desktop.cx - (Form1->Left() + Form1->Width()) + 40;
    EXPECT_TRUE(pointer.PressOnSheetAndRelease(Qt::LeftButton, pointer.Position() + QPoint(pastRight, 0)));
    EXPECT_EQ(Form1->Left(), 0);
    EXPECT_EQ(Form1->Top(), -15);
}

// Both presses of a double click start the move, and each ends at its own
// release: the sheet does not go on following the pointer afterwards.
TEST_F(StencilGui, DoubleClickOnTheBlackAreaMovesTheSheetAtEachPress) {
    pointer.MoveTo(OnSheet(300, 100));
    EXPECT_TRUE(pointer.ClickOnSheet(Qt::LeftButton));
    const QPoint at = pointer.Position();
    EXPECT_TRUE(pointer.PressOnSheetAndRelease(Qt::LeftButton, at + QPoint(25, 0), /*secondOfDoubleClick=*/true));
    EXPECT_FALSE(SheetIsMoving());
    EXPECT_EQ(Form1->Left(), kSheetLeft + 25);

    pointer.MoveTo(pointer.Position() + QPoint(40, 40));
    EXPECT_EQ(Form1->Left(), kSheetLeft + 25);
    EXPECT_EQ(Form1->Top(), kSheetTop);
}

// The window system's keyboard request for a context menu, with the sheet
// focused, opens the menu at the sheet's top-left corner. (The offscreen
// platform does not turn the menu key into that request; it is handed over
// here as a window system would.)
TEST_F(StencilGui, KeyboardContextMenuRequestOpensTheMenuAtTheSheetsCorner) {
    Form1->NativeWidget()->activateWindow();
    Form1->NativeWidget()->setFocus();
    ProcessEvents();
    ASSERT_EQ(QGuiApplication::focusWindow(), SheetWindow());
    pointer.MoveTo(OnSheet(300, 200));

    MenuAnswer answer({Letter('e')});
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(300, 200), pointer.Position());
    QCoreApplication::sendEvent(SheetWindow(), &request);
    ProcessEvents();
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Geometry().topLeft(), QPoint(kSheetLeft, kSheetTop));
    ASSERT_EQ(Form1->Controls().size(), 1u);
    EXPECT_EQ(Form1->Controls().back()->Width(), 200);
}

// The pull-back belongs to the black area's release alone.
TEST_F(StencilGui, ReleaseOnAHoleDoesNotPullBack) {
    TImage* hole = AddRectangle();
    ASSERT_NE(hole, nullptr);
    const int overhanging = VirtualDesktopSize().cy - 300;
    Form1->SetTop(overhanging);
    pointer.MoveTo(OnHole(*hole, 50, 1));
    pointer.Press(Qt::LeftButton);
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(Form1->Top(), overhanging);

    pointer.MoveTo(OnSheet(300, 100));
    EXPECT_TRUE(pointer.ClickOnSheet(Qt::LeftButton));
    EXPECT_EQ(Form1->Top(), 0);
}

struct PullBackCase {
    const char* name;
    int pastRight;   // how far the sheet's right edge lies past the desktop's width
    int pastBottom;  // likewise its bottom edge past the desktop's height
    bool leftToZero;
    bool topToZero;
};

class PullBackGui : public StencilGui, public ::testing::WithParamInterface<PullBackCase> {};

TEST_P(PullBackGui, ReleaseOnBlackAreaPullsBackOnlyPastRightOrBottom) {
    const PullBackCase& c = GetParam();
    const TSize desktop = VirtualDesktopSize();
    const int left = desktop.cx - Form1->Width() + c.pastRight;
    const int top = desktop.cy - Form1->Height() + c.pastBottom;
    Form1->SetLeft(left);
    Form1->SetTop(top);
    pointer.MoveTo(OnSheet(100, 100));
    EXPECT_TRUE(pointer.ClickOnSheet(Qt::LeftButton));
    EXPECT_EQ(Form1->Left(), c.leftToZero ? 0 : left);
    EXPECT_EQ(Form1->Top(), c.topToZero ? 0 : top);
}

INSTANTIATE_TEST_SUITE_P(Edges, PullBackGui,
                         ::testing::Values(PullBackCase{"ExactFitStays", 0, 0, false, false},
                                           PullBackCase{"OnePixelBelow", -100, 1, false, true},
                                           PullBackCase{"OnePixelRight", 1, -100, true, false},
                                           PullBackCase{"Both", 1, 1, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CloseCase {
    const char* name;
    std::vector<Key> keys;
};

class CloseGui : public StencilGui, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseGui, CloseFromTheKeyboardEndsTheLoopWithExitCodeZero) {
    // Holes do not keep the sheet open.
    ASSERT_NE(AddCircle(), nullptr);

    bool seen = false;
    QTimer::singleShot(0, [&] { seen = ChooseFromMenu(GetParam().keys); });
    // Only so that a broken close cannot hang the run: it ends the loop with
    // a code no close produces.
    QTimer hangGuard;
    hangGuard.setSingleShot(true);
    QObject::connect(&hangGuard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    hangGuard.start(20000);

    EXPECT_EQ(RunEventLoop(), 0);
    EXPECT_TRUE(seen);
    // The quit request ends the loop; hiding the sheet is the shutdown's job.
    EXPECT_TRUE(Form1->Visible());
}

INSTANTIATE_TEST_SUITE_P(Keys, CloseGui,
                         ::testing::Values(CloseCase{"AccessLetter", {Letter('c')}},
                                           CloseCase{"FourthItemByArrows", {kDown, kDown, kDown, kDown, kReturn}},
                                           CloseCase{"UpWrapsToLastItem", {kUp, kReturn}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StencilGui, CloseRequestFromTheWindowSystemEndsTheLoopLikeClose) {
    QTimer::singleShot(0, [] { Form1->NativeWidget()->close(); });
    QTimer hangGuard;
    hangGuard.setSingleShot(true);
    QObject::connect(&hangGuard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    hangGuard.start(20000);
    EXPECT_EQ(RunEventLoop(), 0);
}

}  // namespace
}  // namespace veilix::gui
