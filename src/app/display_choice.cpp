#include "app/display_choice.h"

#include <sstream>
#include <vector>

namespace veilix {

namespace {

// libwayland's display when WAYLAND_DISPLAY is not set.
constexpr const char* kDefaultWaylandDisplay = "wayland-0";

std::string X11Reason(const std::string& display) {
    return display.empty() ? "DISPLAY is not set" : "the X display '" + display + "' cannot be opened";
}

std::string WaylandReason(const std::string& display) {
    return "the Wayland display '" + display + "' cannot be reached";
}

std::string Failure(const std::string& context, const std::vector<std::string>& reasons) {
    std::string sentence = "veilix: no display to show the sheet on" + context + ": ";
    for (std::size_t i = 0; i < reasons.size(); ++i) sentence += (i ? " and " : "") + reasons[i];
    return sentence + ".";
}

// QT_QPA_PLATFORM: "name[:options]", several separated by ';' tried in turn.
DisplayChoice CheckRequested(const DisplaySituation& s) {
    std::vector<std::string> reasons;
    std::istringstream entries(s.qtPlatform);
    for (std::string entry; std::getline(entries, entry, ';');) {
        const std::string name = entry.substr(0, entry.find(':'));
        if (name == "xcb") {
            if (!s.x11Display.empty() && s.x11Opens(s.x11Display)) return {};
            reasons.push_back(X11Reason(s.x11Display));
        } else if (name.rfind("wayland", 0) == 0) {
            const std::string display = s.waylandDisplay.empty() ? kDefaultWaylandDisplay : s.waylandDisplay;
            if (s.waylandOpens(display)) return {};
            reasons.push_back(WaylandReason(display));
        } else if (!name.empty()) {
            // Off-screen, frame-buffer and other plugins need no display
            // of ours; whether Qt has them is Qt's to find out.
            return {};
        }
    }
    if (reasons.empty()) return {};
    return {{}, Failure(" (QT_QPA_PLATFORM=" + s.qtPlatform + ")", reasons)};
}

}  // namespace

DisplayChoice ChooseDisplay(const DisplaySituation& s) {
    if (!s.qtPlatform.empty()) return CheckRequested(s);
    if (s.x11Display.empty() && s.waylandDisplay.empty())
        return {{}, "veilix: no display to show the sheet on: neither DISPLAY nor WAYLAND_DISPLAY is set."};
    const bool wayland = !s.waylandDisplay.empty() && s.waylandOpens(s.waylandDisplay);
    const bool x11 = !s.x11Display.empty() && s.x11Opens(s.x11Display);
    if (wayland) return {x11 ? "wayland;xcb" : "wayland", {}};
    if (x11) return {"xcb", {}};
    std::vector<std::string> reasons;
    if (!s.x11Display.empty()) reasons.push_back(X11Reason(s.x11Display));
    if (!s.waylandDisplay.empty()) reasons.push_back(WaylandReason(s.waylandDisplay));
    return {{}, Failure("", reasons)};
}

}  // namespace veilix
