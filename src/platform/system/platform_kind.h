#pragma once
// Which of Qt's platforms the program runs on, decided in one place: what a
// window can do (a shape, pixels of our own, an alpha channel) depends on it.
namespace veilix {

enum class PlatformKind {
    X11,       // Qt's xcb platform
    Wayland,   // a native Wayland window
    Headless,  // offscreen or minimal: no window system, so no window shapes
    Other,     // any other platform: Qt's own means only
};

PlatformKind CurrentPlatform();
// Whether windows can be given a shape that the window system honours.
bool WindowShapesSupported();

}  // namespace veilix
