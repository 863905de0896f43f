#pragma once
// Whether a display can be connected to, asked before Qt starts (Qt aborts
// when it cannot connect).
#include <string>

namespace veilix {

// Opens and closes a connection to the X display of that name.
bool X11DisplayOpens(const std::string& display);

// Connects to and leaves the Wayland compositor's socket of that name: a
// path, or a name in XDG_RUNTIME_DIR.
bool WaylandDisplayOpens(const std::string& display);

}  // namespace veilix
