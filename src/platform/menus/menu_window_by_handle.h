#pragma once
// What the menu painter may do to a menu window it knows only by its handle:
// read its rectangle, swap its window procedure and keep a value in its
// user-data slot, give it a shape, invalidate it, find it at a screen point,
// and draw on its whole surface. Only our own popup menu windows answer; any
// other handle, or one whose window has gone, names none and nothing happens.
// No Qt here, so the painter stays plain C++.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/core/types.h"
#include "platform/messages/hidden_window.h"
#include "platform/messages/window_messages.h"

namespace veilix {

class TCanvas;
class TMenuItem;

using TWindowProc = std::intptr_t (*)(TWindowHandle window, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);

// A shape as a union of rectangles in the window's own coordinates.
using TWindowRegion = std::vector<TRect>;

// The outer rectangle on the screen; none for a window that is not ours.
std::optional<TRect> GetWindowRect(TWindowHandle window);

// Null for a window that is not ours.
TWindowProc GetWindowProc(TWindowHandle window);
// Installs proc (null: the window's own again); returns the one replaced.
TWindowProc SetWindowProc(TWindowHandle window, TWindowProc proc);
std::intptr_t GetWindowUserData(TWindowHandle window);
void SetWindowUserData(TWindowHandle window, std::intptr_t value);
// Runs proc for the message; a null proc is the window's own.
std::intptr_t CallWindowProc(TWindowProc proc, TWindowHandle window, unsigned msg, std::uintptr_t wparam,
                             std::intptr_t lparam);

// Sets the window's shape (none: all of it shown); with redraw the screen is
// brought up to date with what the window holds.
void SetWindowRegion(TWindowHandle window, std::optional<TWindowRegion> region, bool redraw);
// The bounding box of the window's shape; none when it has no shape.
std::optional<TRect> GetWindowRegionBox(TWindowHandle window);

// The window paints its items again; with erase its background first.
void InvalidateWindow(TWindowHandle window, bool erase);

// The topmost of our shown windows whose shape holds the screen point; 0 for none.
TWindowHandle WindowFromPoint(TPoint screen);

// The screen rectangle of a shown menu item in the window that shows it;
// none when no window shows it (the item itself may have gone: it is only
// compared, never read).
std::optional<TRect> GetMenuItemScreenRect(const TMenuItem* item);

// A drawing surface over the whole window, borders included. What is drawn
// on it reaches the screen when the surface goes; drawing shows no item
// again. Canvas() is null when the handle names no window of ours.
class TWindowSurface {
public:
    explicit TWindowSurface(TWindowHandle window);
    ~TWindowSurface();
    TWindowSurface(const TWindowSurface&) = delete;
    TWindowSurface& operator=(const TWindowSurface&) = delete;

    TCanvas* Canvas() const { return canvas_.get(); }

private:
    TWindowHandle window_;
    std::unique_ptr<TCanvas> canvas_;
};

}  // namespace veilix
