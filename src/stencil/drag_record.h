#pragma once
// The stencil window's single record of the hole edit in progress, shared by
// all holes; it does not know which hole was pressed.
#include <cstdint>
#include <memory>

#include "platform/core/types.h"

namespace veilix {

// Hit zones of a hole, in the order of their values.
enum THitZone : std::int32_t {
    hzRight = 0,
    hzLeft = 1,
    hzTop = 2,
    hzBottom = 3,
    hzTopRight = 4,
    hzBottomRight = 5,
    hzTopLeft = 6,
    hzBottomLeft = 7,
    hzInside = 8,
};

struct TDragRecord {
    bool Dragging = false;
    std::unique_ptr<TPoint> CursorNow;      // created by FormCreate, freed by FormDestroy
    std::unique_ptr<TPoint> CursorAtPress;  // likewise
    std::int32_t StartLeft = 0;
    std::int32_t StartTop = 0;
    std::int32_t StartWidth = 0;
    std::int32_t StartHeight = 0;
    std::int32_t Zone = hzRight;
};

}  // namespace veilix
