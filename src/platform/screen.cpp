#include "platform/screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace veilix {

TPoint GetCursorPos() {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

TSize VirtualDesktopSize() {
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens()) desktop |= screen->geometry();
    return {desktop.width(), desktop.height()};
}

}  // namespace veilix
