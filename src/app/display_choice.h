#pragma once
// Which window system the program is shown on, decided before Qt starts: Qt
// aborts when its platform cannot start, so a missing or unreachable display
// is found here first and told in one sentence.
#include <functional>
#include <string>

namespace veilix {

struct DisplaySituation {
    std::string qtPlatform;      // QT_QPA_PLATFORM, as the user set it
    std::string x11Display;      // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    // Whether a display of that name can be connected to; asked only when
    // the answer matters.
    std::function<bool(const std::string&)> x11Opens;
    std::function<bool(const std::string&)> waylandOpens;
};

struct DisplayChoice {
    // The value for QT_QPA_PLATFORM; empty: leave it as it is.
    std::string platform;
    // One sentence for standard error when there is no display to use.
    std::string failure;
};

// Without QT_QPA_PLATFORM, a reachable Wayland display comes first (the
// sheet's transparency and input region are native there), with X11 as the
// fallback where both are there. With QT_QPA_PLATFORM, the user's choice
// stands; only the displays it names are checked.
DisplayChoice ChooseDisplay(const DisplaySituation& situation);

}  // namespace veilix
