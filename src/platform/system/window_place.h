#pragma once
// Where a top-level window really is on the screen, as the window system has
// it now. Qt learns of a move made by a window manager only when the manager
// says so, which may be after the release that ended the move has reached us.
#include <optional>

#include <QPoint>

class QWidget;

namespace veilix {

// The window's top-left corner on the screen in Qt's logical coordinates (as
// QWidget::pos), asked of the window system; none
// where it cannot be asked (platforms other than X11, no native window yet).
std::optional<QPoint> WindowPlaceOnScreen(const QWidget& window);

}  // namespace veilix
