#pragma once
// The X server as Qt's xcb platform reaches it, for the few questions Qt does
// not ask for us.
#include <optional>

#include <xcb/xcb.h>

class QWidget;

namespace veilix {

struct X11Connection {
    xcb_connection_t* connection;
    xcb_window_t root;
    xcb_window_t window;  // the widget's own native window
};

// None off X11, or while the widget has no native window yet.
std::optional<X11Connection> X11ConnectionOf(const QWidget& widget);

}  // namespace veilix
