#include "platform/system/screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace veilix {

namespace {
std::optional<TPoint>& PlaceOfMoveInHand() {
    static std::optional<TPoint> place;
    return place;
}
}  // namespace

PointerPlaceDuringMove::PointerPlaceDuringMove(std::optional<TPoint> place) : outer_(PlaceOfMoveInHand()) {
    PlaceOfMoveInHand() = place;
}

PointerPlaceDuringMove::~PointerPlaceDuringMove() { PlaceOfMoveInHand() = outer_; }

TPoint GetCursorPos() {
    if (const auto& place = PlaceOfMoveInHand()) return *place;
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

TSize VirtualDesktopSize() {
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens()) desktop |= screen->geometry();
    return {desktop.width(), desktop.height()};
}

}  // namespace veilix
