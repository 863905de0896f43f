#pragma once
// Where a released sheet goes when it overhangs the desktop on the right or at
// the bottom: to coordinate 0, never to the nearest position inside.
#include <cstdint>

#include "platform/system/screen.h"

namespace veilix {

struct TPullBack {
    bool TopToZero = false;  // tested first
    bool LeftToZero = false;
    friend bool operator==(const TPullBack&, const TPullBack&) = default;
};

// Strict comparisons; the desktop's width and height are taken as coordinates,
// whatever its origin.
TPullBack PullBackFor(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, TSize desktop);

}  // namespace veilix
