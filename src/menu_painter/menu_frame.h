#pragma once
// The flat frame of a popup menu window: a one-pixel outline, the window's
// border painted over so that the items' background runs to the outline, and,
// except on version 5.1, a two-pixel shadow right of and below the menu made
// by an L-shaped window shape. The painter paints from outside the window and
// follows it through its window procedure while the menu is shown.
#include <cstdint>

#include "platform/messages/hidden_window.h"

namespace veilix {

class TFlatMenu;

void PaintMenuFrame(TFlatMenu& painter, TWindowHandle window, bool rightToLeft);

// Installed on a framed window: keeps the window from erasing the items'
// images, and on hiding, closing or destruction takes the frame's shape and
// itself away and lets a framed menu beneath repaint its frame.
std::intptr_t MenuFrameWndProc(TWindowHandle window, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);

// A frame request (MsgFrameByItem, MsgFrameByWindow) that reached the
// application's hidden window, painted by the serving painter when there is one.
void PaintRequestedFrame(const TMessage& request, TFlatMenu* servingPainter);

}  // namespace veilix
