// Veilix: a screen stencil. The command line and the display are settled
// before Qt starts (Qt aborts without a display); then Qt's application object,
// then ours; the shutdown runs when ours goes, after the entry routine has
// returned.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

#include "app/application.h"
#include "app/command_line.h"
#include "app/display_choice.h"
#include "app/entry_routine.h"
#include "platform/system/display_probe.h"
#include "platform/system/exit_watchdog.h"
#include "platform/system/qt_start_guard.h"

namespace {
std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
}  // namespace

int main(int argc, char** argv) {
    const veilix::CommandLine commandLine = veilix::ParseCommandLine({argv + 1, argv + argc});
    switch (commandLine.action) {
        case veilix::CommandLine::Action::Help:
        case veilix::CommandLine::Action::Version:
            std::fputs(commandLine.text.c_str(), stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        case veilix::CommandLine::Action::Refuse:
            std::fputs(commandLine.text.c_str(), stderr);
            return commandLine.exitCode;
        case veilix::CommandLine::Action::Run: break;
    }

    const veilix::DisplayChoice display =
        veilix::ChooseDisplay({Environment("QT_QPA_PLATFORM"), Environment("DISPLAY"), Environment("WAYLAND_DISPLAY"),
                               veilix::X11DisplayOpens, veilix::WaylandDisplayOpens});
    if (!display.failure.empty()) {
        std::fprintf(stderr, "%s\n", display.failure.c_str());
        return 1;
    }
    if (!display.platform.empty()) setenv("QT_QPA_PLATFORM", display.platform.c_str(), 1);
    // Our windows draw no frames and no OpenGL: Qt's Wayland plugin then has
    // no reason to load the GPU buffer integration (Mesa's EGL) at start-up.
    setenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1", 0);

    veilix::QtStartGuard qtStart;
    // Outlives Qt's application object, whose teardown it bounds.
    veilix::ExitWatchdog exitWatchdog;
    QApplication qtApplication(argc, argv);
    qtStart.Started();
    {
        veilix::TApplication application;
        veilix::Application = &application;
        veilix::EntryRoutine();
        veilix::Application = nullptr;
    }
    exitWatchdog.Arm(std::chrono::seconds(3), 0);
    return 0;
}
