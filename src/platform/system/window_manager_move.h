#pragma once
// Ending a move that the window manager was asked to make. The manager starts
// it on our request and ends it at the button's release; a release that came
// before the manager took the pointer never reaches it, and the window would
// follow the pointer with no button held.
class QWidget;

namespace veilix {

// Asks the window manager to end the move of a window it was asked to move;
// nothing where no such request exists (platforms other than X11).
void CancelWindowManagerMove(const QWidget& window);

}  // namespace veilix
