#pragma once
// Pointer position and desktop size, in screen pixels.
#include <optional>

#include "platform/core/types.h"

namespace veilix {

struct TSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// Where the pointer is. Asking the X server costs a round trip, so while a
// pointer move that came from the window system is handled, the answer is
// where that move put the pointer: the newest place the server has told us of,
// and the moves are handled one burst at a time, the last place winning.
TPoint GetCursorPos();

// For the handling of one pointer move: its place on the screen, or none for
// a move that did not come from the window system.
class PointerPlaceDuringMove {
public:
    explicit PointerPlaceDuringMove(std::optional<TPoint> place);
    ~PointerPlaceDuringMove();
    PointerPlaceDuringMove(const PointerPlaceDuringMove&) = delete;
    PointerPlaceDuringMove& operator=(const PointerPlaceDuringMove&) = delete;

private:
    std::optional<TPoint> outer_;
};

// Width and height of the bounding box of all monitors.
TSize VirtualDesktopSize();

}  // namespace veilix
