#pragma once
// The X server's own share of a drag step: the two shapes the sheet
// alternates between, and a put of the area where they differ, sent by the
// bench itself on a window of its own at the sheet's place, each step timed
// until the server answers a request sent after them. No client stands in
// between, so what is left over the round trip is the server's work alone.
#include <X11/Xlib.h>

#include <array>
#include <vector>

#include "x_watch.h"

namespace veilix::bench {

using ShapeRects = std::vector<XRectangle>;

// A window's bounding shape as the server has it.
ShapeRects BoundingShape(Display* display, Window window);

// Microseconds per step, steps alternating between the two shapes.
std::vector<double> TimeServerAlone(XWatch& x, const XRectangle& place, const std::array<ShapeRects, 2>& shapes,
                                    int steps);

}  // namespace veilix::bench
