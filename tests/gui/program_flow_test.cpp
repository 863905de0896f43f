// The whole program as the entry routine runs it: start, a hole cut from the
// menu and resized, "&Close", the loop's end and the shutdown.
#include "app/entry_routine.h"
#include "stencil_gui.h"

namespace veilix::gui {
namespace {

TEST(StencilProgram, StartCutAndResizeAHoleThenCloseReturnsZero) {
    std::vector<ShownBox> boxes;
    SetMessageBoxHook([&](const std::string& caption, const std::string& text) { boxes.push_back({caption, text}); });
    Pointer pointer;
    pointer.MoveTo(QPoint(0, 0));

    bool visibleWhenLoopRan = false;
    QPoint designedPlace;
    bool menuSeen = false;
    TRect holeBounds;
    bool closeSeen = false;
    QTimer::singleShot(0, [&] {
        visibleWhenLoopRan = Form1->Visible();
        designedPlace = QPoint(Form1->Left(), Form1->Top());

        {
            MenuAnswer circle({kDown, kDown, kReturn});
            pointer.MoveTo(OnSheet(300, 20));
            pointer.ClickOnSheet(Qt::RightButton);
            ProcessEvents();
            menuSeen = circle.Seen();
        }
        if (Form1->Controls().size() != 1) return;
        TControl& hole = *Form1->Controls().back();
        pointer.MoveTo(OnHole(hole, 98, 50));
        pointer.Press(Qt::LeftButton);
        pointer.MoveTo(pointer.Position() + QPoint(30, 0));
        pointer.Release(Qt::LeftButton);
        holeBounds = hole.BoundsRect();

        MenuAnswer close({Letter('c')});
        pointer.MoveTo(OnSheet(300, 20));
        pointer.ClickOnSheet(Qt::RightButton);
        closeSeen = close.Seen();
    });
    // Only so that a broken close cannot hang the run.
    bool hung = false;
    QTimer hangGuard;
    hangGuard.setSingleShot(true);
    QObject::connect(&hangGuard, &QTimer::timeout, [&] {
        hung = true;
        ExitEventLoopsNow(0);
    });
    hangGuard.start(20000);

    int code = -1;
    {
        TApplication application;
        Application = &application;
        code = EntryRoutine();
        EXPECT_EQ(Application->MainForm(), Form1);
        EXPECT_EQ(Application->Title, "Veilix");
        Application = nullptr;
    }
    Form1 = nullptr;
    Form2 = nullptr;
    SetMessageBoxHook({});

    EXPECT_EQ(code, 0);
    EXPECT_FALSE(hung);
    EXPECT_TRUE(visibleWhenLoopRan);
    EXPECT_EQ(designedPlace, QPoint(274, 309));
    EXPECT_TRUE(menuSeen);
    EXPECT_EQ(holeBounds, BoundsRect(0, 50, 130, 100));
    EXPECT_TRUE(closeSeen);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace veilix::gui
