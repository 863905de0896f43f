// Veilix: a screen stencil. Qt's application object first, then ours; the
// shutdown runs when ours goes, after the entry routine has returned.
#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "app/application.h"
#include "app/entry_routine.h"

namespace {
bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}
}  // namespace

int main(int argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "veilix: no display to show the stencil on (neither DISPLAY nor WAYLAND_DISPLAY is set)\n");
        return 1;
    }
    QApplication qtApplication(argc, argv);
    {
        veilix::TApplication application;
        veilix::Application = &application;
        veilix::EntryRoutine();
        veilix::Application = nullptr;
    }
    return 0;
}
