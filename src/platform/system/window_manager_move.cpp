#include "platform/system/window_manager_move.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/system/x11_connection.h"

namespace veilix {

namespace {
// The move request's action that ends a move (the desktop's window-manager
// conventions).
constexpr std::uint32_t kMoveResizeCancel = 11;
// The request comes from an ordinary application.
constexpr std::uint32_t kSourceApplication = 1;

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}
}  // namespace

void CancelWindowManagerMove(const QWidget& window) {
    const auto x11 = X11ConnectionOf(window);
    if (!x11) return;
    xcb_connection_t* connection = x11->connection;
    const xcb_atom_t moveResize = InternAtom(connection, "_NET_WM_MOVERESIZE");
    if (moveResize == XCB_ATOM_NONE) return;
    // Sent for our own window: the manager looks for the move by the window
    // the request names.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = x11->window;
    message.type = moveResize;
    message.data.data32[2] = kMoveResizeCancel;
    message.data.data32[4] = kSourceApplication;
    xcb_send_event(connection, 0, x11->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

}  // namespace veilix
