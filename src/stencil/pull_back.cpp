#include "stencil/pull_back.h"

namespace veilix {

TPullBack PullBackFor(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, TSize desktop) {
    TPullBack result;
    result.TopToZero = std::int64_t(top) + height > desktop.cy;
    result.LeftToZero = std::int64_t(left) + width > desktop.cx;
    return result;
}

}  // namespace veilix
