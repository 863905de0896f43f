#pragma once
// Whether a top-level window is what the pointer is over on the screen, as the
// window system has it now: not a window stacked above it there, not a pixel
// its shape leaves out. While a button is held the window system hands us the
// pointer's events wherever the pointer goes; this tells which are ours.
#include <optional>

class QWidget;

namespace veilix {

// None where the window system cannot be asked (platforms other than X11, no
// native window yet).
std::optional<bool> PointerIsOverWindow(const QWidget& window);

}  // namespace veilix
