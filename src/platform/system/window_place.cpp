#include "platform/system/window_place.h"

#include <cstdlib>
#include <memory>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/system/x11_connection.h"

namespace veilix {

namespace {
// The window system's (device) point in Qt's logical coordinates: a screen
// keeps its top-left corner and scales what lies right of and below it.
QPoint LogicalPlace(QPoint device, const QWidget& window) {
    const QScreen* screen = window.screen();
    for (const QScreen* candidate : QGuiApplication::screens()) {
        const QRect logical = candidate->geometry();
        if (QRect(logical.topLeft(), logical.size() * candidate->devicePixelRatio()).contains(device)) {
            screen = candidate;
            break;
        }
    }
    if (!screen || screen->devicePixelRatio() == 1.0) return device;
    const QPoint origin = screen->geometry().topLeft();
    return origin + (QPointF(device - origin) / screen->devicePixelRatio()).toPoint();
}
}  // namespace

std::optional<QPoint> WindowPlaceOnScreen(const QWidget& window) {
    const auto x11 = X11ConnectionOf(window);
    if (!x11) return std::nullopt;
    xcb_connection_t* connection = x11->connection;
    const auto cookie = xcb_translate_coordinates(connection, x11->window, x11->root, 0, 0);
    const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> reply(
        xcb_translate_coordinates_reply(connection, cookie, nullptr), &std::free);
    if (!reply) return std::nullopt;
    return LogicalPlace(QPoint(reply->dst_x, reply->dst_y), window);
}

}  // namespace veilix
