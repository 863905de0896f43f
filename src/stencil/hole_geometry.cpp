#include "stencil/hole_geometry.h"

#include "platform/forms/control.h"

namespace veilix {

namespace {
enum class TBand { Low, Middle, High };

// Strict comparisons: the low band is the first ten pixels, the high band the
// last nine.
TBand BandOf(std::int64_t p, std::int64_t start, std::int64_t length) {
    if (p < start + EdgeMargin) return TBand::Low;
    if (p > start + length - EdgeMargin) return TBand::High;
    return TBand::Middle;
}

// Bounds wrap like the framework's 32-bit integers instead of overflowing.
std::int32_t Wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }
}  // namespace

THit HitZoneAt(TPoint pointer, TPoint origin, std::int32_t w, std::int32_t h) {
    static constexpr THit table[3][3] = {
        // column Low (left): top, middle, bottom row
        {{hzTopLeft, crSizeNWSE}, {hzLeft, crSizeWE}, {hzBottomLeft, crSizeNESW}},
        // column Middle
        {{hzTop, crSizeNS}, {hzInside, crDefault}, {hzBottom, crSizeNS}},
        // column High (right)
        {{hzTopRight, crSizeNESW}, {hzRight, crSizeWE}, {hzBottomRight, crSizeNWSE}},
    };
    const TBand column = BandOf(pointer.x, origin.x, w);
    const TBand row = BandOf(pointer.y, origin.y, h);
    return table[int(column)][int(row)];
}

void ApplyDragStep(std::int32_t zone, const TDragRecord& drag, TControl& hole) {
    const std::int64_t dx = std::int64_t(drag.CursorNow->x) - drag.CursorAtPress->x;
    const std::int64_t dy = std::int64_t(drag.CursorNow->y) - drag.CursorAtPress->y;
    auto moveLeft = [&] { hole.SetLeft(Wrap(drag.StartLeft + dx)); };
    auto keepRight = [&] { hole.SetWidth(Wrap(std::int64_t(drag.StartWidth) + drag.StartLeft - hole.Left())); };
    auto moveTop = [&] { hole.SetTop(Wrap(drag.StartTop + dy)); };
    auto keepBottom = [&] { hole.SetHeight(Wrap(std::int64_t(drag.StartHeight) + drag.StartTop - hole.Top())); };
    auto moveRight = [&] { hole.SetWidth(Wrap(drag.StartWidth + dx)); };
    auto moveBottom = [&] { hole.SetHeight(Wrap(drag.StartHeight + dy)); };

    // One zone a line: which edges move and which stay, read as a table.
    // clang-format off
    switch (zone) {
        case hzRight: moveRight(); break;
        case hzLeft: moveLeft(); keepRight(); break;
        case hzTop: moveTop(); keepBottom(); break;
        case hzBottom: moveBottom(); break;
        case hzTopRight: moveRight(); moveTop(); keepBottom(); break;
        case hzBottomRight: moveRight(); moveBottom(); break;
        case hzTopLeft: moveLeft(); moveTop(); keepRight(); keepBottom(); break;
        case hzBottomLeft: moveLeft(); moveBottom(); keepRight(); break;
        default: break;  // inside, or any other value: nothing
    }
    // clang-format on
}

}  // namespace veilix
