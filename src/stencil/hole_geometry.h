#pragma once
// The hit test and the drag step of hole editing, free of any window: the
// handlers read the pointer and the bounds, these decide.
#include <cstdint>

#include "platform/core/types.h"
#include "stencil/drag_record.h"

namespace veilix {

class TControl;

inline constexpr std::int32_t EdgeMargin = 10;

struct THit {
    std::int32_t Zone;
    TCursor Cursor;
    friend bool operator==(const THit&, const THit&) = default;
};

// The zone of a pointer (screen) over a hole whose top-left corner is at
// origin (screen), width w and height h. Left before right, top before bottom.
THit HitZoneAt(TPoint pointer, TPoint origin, std::int32_t w, std::int32_t h);

// Applies the drag step for zone to hole, one bound at a time, from the press
// recorded in drag and the pointer in drag.CursorNow.
void ApplyDragStep(std::int32_t zone, const TDragRecord& drag, TControl& hole);

}  // namespace veilix
