#include "app/display_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace veilix {
namespace {

struct Row {
    const char* name;
    std::string qtPlatform, x11, wayland;
    std::set<std::string> reachable;  // display names that a connection reaches
    std::string platform;             // expected QT_QPA_PLATFORM, empty: left alone
    std::string failure;              // expected sentence, empty: none
};

TEST(DisplayChoice, ChoosesAReachableDisplayOrSaysWhyThereIsNone) {
    const std::vector<Row> rows = {
        {"both sessions: Wayland first, X11 to fall back on",
         "",
         ":0",
         "wayland-1",
         {":0", "wayland-1"},
         "wayland;xcb",
         ""},
        {"Wayland alone", "", "", "wayland-1", {"wayland-1"}, "wayland", ""},
        {"X11 alone", "", ":0", "", {":0"}, "xcb", ""},
        {"a stale Wayland socket beside a good X display", "", ":0", "wayland-1", {":0"}, "xcb", ""},
        {"nothing set",
         "",
         "",
         "",
         {},
         "",
         "veilix: no display to show the sheet on: neither DISPLAY nor WAYLAND_DISPLAY is set."},
        {"an X display that does not open",
         "",
         ":7",
         "",
         {},
         "",
         "veilix: no display to show the sheet on: the X display ':7' cannot be opened."},
        {"neither reachable",
         "",
         ":7",
         "gone",
         {},
         "",
         "veilix: no display to show the sheet on: the X display ':7' cannot be opened and the Wayland "
         "display 'gone' cannot be reached."},
        {"the user's X11 choice stands", "xcb", ":0", "wayland-1", {":0", "wayland-1"}, "", ""},
        {"the user's choice with options", "xcb:nomitshm", ":0", "", {":0"}, "", ""},
        {"the user's X11 choice without DISPLAY",
         "xcb",
         "",
         "wayland-1",
         {"wayland-1"},
         "",
         "veilix: no display to show the sheet on (QT_QPA_PLATFORM=xcb): DISPLAY is not set."},
        {"the user's Wayland choice takes libwayland's default name", "wayland", "", "", {"wayland-0"}, "", ""},
        {"the user's Wayland choice, nothing listening",
         "wayland-egl",
         "",
         "",
         {},
         "",
         "veilix: no display to show the sheet on (QT_QPA_PLATFORM=wayland-egl): the Wayland display "
         "'wayland-0' cannot be reached."},
        {"the user's fallback list, the second reachable", "wayland;xcb", ":0", "gone", {":0"}, "", ""},
        {"the user's fallback list, none reachable",
         "wayland;xcb",
         ":7",
         "gone",
         {},
         "",
         "veilix: no display to show the sheet on (QT_QPA_PLATFORM=wayland;xcb): the Wayland display "
         "'gone' cannot be reached and the X display ':7' cannot be opened."},
        {"a plugin that needs no display", "offscreen", "", "", {}, "", ""},
        {"an unknown plugin is Qt's to report", "nosuchplugin", "", "", {}, "", ""},
    };
    for (const Row& row : rows) {
        std::vector<std::string> asked;
        const auto reaches = [&](const std::string& name) {
            asked.push_back(name);
            return row.reachable.count(name) > 0;
        };
        const DisplayChoice choice = ChooseDisplay({row.qtPlatform, row.x11, row.wayland, reaches, reaches});
        EXPECT_EQ(choice.platform, row.platform) << row.name;
        EXPECT_EQ(choice.failure, row.failure) << row.name;
        // Only displays that the situation names (or Qt would use) are tried.
        for (const std::string& name : asked)
            EXPECT_TRUE(name == row.x11 || name == row.wayland || name == "wayland-0") << row.name << ": " << name;
    }
}

}  // namespace
}  // namespace veilix
