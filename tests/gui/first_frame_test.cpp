// Work put off until a form's first frame has gone to the window system (the
// program icon): it runs once, after that frame, or after its time limit when
// the window system asks for no frame.
#include <gtest/gtest.h>

#include <functional>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include "platform/forms/form.h"
#include "stencil_gui.h"

namespace veilix {
namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Runs the event loop until done says so, or for at most five seconds.
template <class Done>
void ProcessUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Fixture {
    TForm form{nullptr};
    PaintCounter counter;
    int runs = 0;
    int paintsWhenRun = -1;

    Fixture() {
        form.SetClientWidth(40);
        form.SetClientHeight(30);
        form.NativeWidget()->installEventFilter(&counter);
    }
    std::function<void()> Job() {
        return [this] {
            ++runs;
            paintsWhenRun = counter.paints;
        };
    }
};

TEST(AfterFirstFrame, RunsOnceTheFirstFrameIsPaintedAndNeverAgain) {
    Fixture f;
    f.form.AfterFirstFrame(f.Job(), 60000);
    f.form.Show();
    ProcessUntil([&] { return f.runs > 0; });
    ASSERT_EQ(f.runs, 1) << "a minute is the limit: only the frame can have run it";
    EXPECT_GE(f.paintsWhenRun, 1) << "ran before the first frame";

    f.form.Repaint();
    f.form.NativeWidget()->repaint();
    gui::ProcessEventsFor(50);
    EXPECT_GT(f.counter.paints, f.paintsWhenRun);
    EXPECT_EQ(f.runs, 1) << "later frames run it again";
}

TEST(AfterFirstFrame, RunsAtItsTimeLimitWhenNoFrameIsAskedFor) {
    Fixture f;
    f.form.AfterFirstFrame(f.Job(), 20);
    ProcessUntil([&] { return f.runs > 0; });
    EXPECT_EQ(f.runs, 1);
    EXPECT_EQ(f.paintsWhenRun, 0);
    gui::ProcessEventsFor(50);
    EXPECT_EQ(f.runs, 1);
}

}  // namespace
}  // namespace veilix
