#include "x_watch.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/shape.h>
#include <poll.h>

#include <stdexcept>

namespace veilix::bench {

namespace {
// An 8-bit channel of a TrueColor pixel.
unsigned Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1UL)) ++shift;
    return unsigned(((pixel & mask) >> shift) * 255UL / (mask >> shift));
}
}  // namespace

XWatch::XWatch(const std::string& display) {
    display_ = XOpenDisplay(display.c_str());
    if (!display_) throw std::runtime_error("cannot open display " + display);
    root_ = DefaultRootWindow(display_);
    int error = 0, major = 0, minor = 0, xtestEvent = 0;
    if (!XShapeQueryExtension(display_, &shapeEventBase_, &error))
        throw std::runtime_error("the X server has no SHAPE extension");
    if (!XDamageQueryExtension(display_, &damageEventBase_, &error))
        throw std::runtime_error("the X server has no DAMAGE extension");
    if (!XTestQueryExtension(display_, &xtestEvent, &error, &major, &minor))
        throw std::runtime_error("the X server has no XTEST extension");
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XSync(display_, False);
}

// Damage objects go with their windows.
XWatch::~XWatch() { XCloseDisplay(display_); }

bool XWatch::NextEvent(XEvent& event, Clock::time_point deadline, Clock::time_point* arrival) {
    for (;;) {
        if (XEventsQueued(display_, QueuedAfterFlush) > 0) {
            if (arrival) *arrival = Clock::now();
            XNextEvent(display_, &event);
            return true;
        }
        const auto now = Clock::now();
        if (now >= deadline) return false;
        // Wake on the socket at once; the timeout only bounds the wait.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        pollfd p{ConnectionNumber(display_), POLLIN, 0};
        poll(&p, 1, int(left));
    }
}

void XWatch::Drain() {
    while (XEventsQueued(display_, QueuedAfterFlush) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
    }
}

double XWatch::RoundTripMicros() {
    const auto start = Clock::now();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return MicrosBetween(start, Clock::now());
}

pid_t XWatch::WindowPid(Window window) {
    const Atom pidAtom = XInternAtom(display_, "_NET_WM_PID", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    pid_t pid = -1;
    if (XGetWindowProperty(display_, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 1 && format == 32)
        pid = pid_t(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

Window XWatch::WaitForTopLevel(pid_t pid, Clock::time_point deadline) {
    XEvent event;
    while (NextEvent(event, deadline)) {
        if (event.type != MapNotify || event.xmap.event != root_ || event.xmap.override_redirect) continue;
        if (WindowPid(event.xmap.window) == pid) return event.xmap.window;
    }
    throw std::runtime_error("the program's window was not mapped in time");
}

void XWatch::WatchShapeAndDamage(Window window) {
    XShapeSelectInput(display_, window, ShapeNotifyMask);
    damage_ = XDamageCreate(display_, window, XDamageReportNonEmpty);
    XSync(display_, False);
}

void XWatch::ClearDamage() {
    if (!damage_) return;
    XDamageSubtract(display_, damage_, None, None);
    XFlush(display_);
}

bool XWatch::Geometry(Window window, int& x, int& y, int& width, int& height) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes)) return false;
    Window child = 0;
    if (!XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child)) return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}

void XWatch::MoveTo(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XFlush(display_);
}

void XWatch::Button(unsigned button, bool down) {
    XTestFakeButtonEvent(display_, button, down ? True : False, CurrentTime);
    XFlush(display_);
}

void XWatch::Key(const char* keysymName) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysymName));
    if (!code) throw std::runtime_error(std::string("no key for ") + keysymName);
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XFlush(display_);
}

bool XWatch::ScreenIs(int x, int y, int width, int height, unsigned long rgb) {
    XImage* image = XGetImage(display_, root_, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return false;
    Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
    bool all = true;
    for (int row = 0; row < height && all; ++row)
        for (int column = 0; column < width && all; ++column) {
            const unsigned long p = XGetPixel(image, column, row);
            const unsigned long seen = (Channel(p, visual->red_mask) << 16) | (Channel(p, visual->green_mask) << 8) |
                                       Channel(p, visual->blue_mask);
            all = seen == rgb;
        }
    XDestroyImage(image);
    return all;
}

}  // namespace veilix::bench
