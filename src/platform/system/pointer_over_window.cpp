#include "platform/system/pointer_over_window.h"

#include <cstdlib>
#include <memory>

#include "platform/system/x11_connection.h"

namespace veilix {

namespace {
// Root, a window manager's frame or two, the window: deeper than any desktop
// nests a top-level window.
constexpr int kMaxDepth = 8;
}  // namespace

std::optional<bool> PointerIsOverWindow(const QWidget& window) {
    const auto x11 = X11ConnectionOf(window);
    if (!x11) return std::nullopt;
    // Down from the root along the windows that hold the pointer. The server
    // finds them by stacking order and input shape, so the way passes through
    // ours only where ours is on top and not keyed away.
    xcb_window_t at = x11->root;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> reply(
            xcb_query_pointer_reply(x11->connection, xcb_query_pointer(x11->connection, at), nullptr), &std::free);
        if (!reply) return std::nullopt;
        if (!reply->same_screen || reply->child == XCB_NONE) return false;
        if (reply->child == x11->window) return true;
        at = reply->child;
    }
    return false;
}

}  // namespace veilix
