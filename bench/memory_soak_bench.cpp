// Memory over a long session: the real stencil gets 200 holes from its add
// commands, then one hole's corner is dragged back and forth through the real
// hole handlers, each step recomposed and painted as on screen. Resident
// memory is printed at the start, after the adds and every 100,000 steps; it
// must stay flat after the adds.
//
//   memory_soak_bench [STEPS]     (1,000,000 by default; offscreen unless
//                                  QT_QPA_PLATFORM says otherwise)
#include <unistd.h>

#include <QApplication>
#include <QCursor>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

#include "app/application.h"
#include "platform/forms/image.h"
#include "stencil/stencil_form.h"
#include "templates/template_holder.h"

namespace veilix {
namespace {

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void Report(const char* when, long steps) { std::printf("%-16s %9ld steps  %8.1f MiB\n", when, steps, ResidentMiB()); }

void AddHoles(int count) {
    std::mt19937 random(2026);
    for (int i = 0; i < count; ++i) {
        switch (i % 3) {
            case 0: Form1->AddCube1Click(nullptr); break;
            case 1: Form1->AddCircle1Click(nullptr); break;
            default: Form1->AddEllipse1Click(nullptr); break;
        }
        // Spread them over the sheet so that the dragged hole overlaps others.
        auto* hole = static_cast<TImage*>(Form1->Controls().back());
        hole->SetLeft(int(random() % 550));
        hole->SetTop(int(random() % 240));
        QCoreApplication::processEvents();
    }
}

// Drags the top-left corner of the hole in the middle of the creation order,
// seven pixels out and back, as a hand would.
void Drag(long steps) {
    auto* hole = static_cast<TImage*>(Form1->Controls()[Form1->Controls().size() / 2]);
    const QPoint corner(Form1->Left() + hole->Left() + 2, Form1->Top() + hole->Top() + 2);
    QCursor::setPos(corner);
    Form1->Image1MouseMove(hole, 0, 2, 2);  // the hit test: the top-left zone
    Form1->Image1MouseDown(hole, TMouseButton::mbLeft, ssLeft, 2, 2);
    for (long step = 1; step <= steps; ++step) {
        const int d = (step % 2) ? 7 : 0;
        QCursor::setPos(corner + QPoint(d, d));
        Form1->Image1MouseMove(hole, ssLeft, 2 + d, 2 + d);
        QCoreApplication::processEvents();
        if (step % 100000 == 0) Report("dragging", step);
    }
    Form1->Image1MouseUp(hole, TMouseButton::mbLeft, 0, 2, 2);
    std::printf("the dragged hole ended at %d, %d, %d x %d (it was dragged %s)\n", hole->Left(), hole->Top(),
                hole->Width(), hole->Height(), Form1->Drag().StartLeft != hole->Left() ? "off its start" : "back");
}

}  // namespace
}  // namespace veilix

int main(int argc, char** argv) {
    using namespace veilix;
    const long steps = argc > 1 ? std::atol(argv[1]) : 1000000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApplication(argc, argv);
    TApplication application;
    Application = &application;
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Form1->Show();
    QCoreApplication::processEvents();
    Report("start", 0);
    AddHoles(200);
    Report("after 200 adds", 0);
    Drag(steps);
    Report("end", steps);
    Application = nullptr;
    return 0;
}
