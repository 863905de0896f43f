#pragma once
// Pointer position and desktop size, in screen pixels.
#include "platform/types.h"

namespace veilix {

struct TSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

TPoint GetCursorPos();
// Width and height of the bounding box of all monitors.
TSize VirtualDesktopSize();

}  // namespace veilix
