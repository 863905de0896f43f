#pragma once
// How the desktop knows the program's windows: the desktop entry they belong
// to and the icon they show.
#include <cstdint>
#include <string>
#include <vector>

namespace veilix {

// Rows from the top, 4 bytes a pixel: red, green, blue, alpha (not
// premultiplied).
struct TIconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// The desktop entry's id: task bars match windows to the entry by it; on
// Wayland it is the windows' app id. Set before the first window is made.
void SetDesktopId(const std::string& desktopId);

// The icon of every window the user switches between (not menus' popups), at
// each size it comes in; windows shown already take it too.
void SetApplicationIcon(const std::vector<TIconImage>& icon);

}  // namespace veilix
