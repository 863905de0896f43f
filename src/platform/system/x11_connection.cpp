#include "platform/system/x11_connection.h"

#include <QGuiApplication>
#include <QWidget>

#include "platform/system/platform_kind.h"

namespace veilix {

std::optional<X11Connection> X11ConnectionOf(const QWidget& widget) {
    // The offscreen platform answers the X11 interface too, with no server.
    if (!qGuiApp || CurrentPlatform() != PlatformKind::X11) return std::nullopt;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !widget.testAttribute(Qt::WA_WState_Created)) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return std::nullopt;
    return X11Connection{connection, screen->root, xcb_window_t(widget.winId())};
}

}  // namespace veilix
