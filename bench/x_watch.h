#pragma once
// The benchmarks' own X client: input through XTest, the window system's
// answers as events (maps, shape and damage notifications) with the moment
// each arrived, pixels from the screen. Every wait has a deadline.
#include <X11/Xlib.h>

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "bench_process.h"

namespace veilix::bench {

class XWatch {
public:
    explicit XWatch(const std::string& display);
    ~XWatch();
    XWatch(const XWatch&) = delete;
    XWatch& operator=(const XWatch&) = delete;

    Display* Dpy() const { return display_; }
    Window Root() const { return root_; }
    int ShapeNotifyType() const { return shapeEventBase_; }    // + ShapeNotify
    int DamageNotifyType() const { return damageEventBase_; }  // + XDamageNotify

    // The next event, read as soon as it reaches us; false at the deadline.
    bool NextEvent(XEvent& event, Clock::time_point deadline, Clock::time_point* arrival = nullptr);
    // Drops whatever events have arrived by now.
    void Drain();

    // One request answered by the server (GetInputFocus), in microseconds.
    double RoundTripMicros();

    // Waits until a top-level window of the process is mapped (not an
    // override-redirect one); the root's structure events are selected from
    // the start.
    Window WaitForTopLevel(pid_t pid, Clock::time_point deadline);
    // Watches a window's shape and the drawing on it. Drawing is reported
    // once it makes the damage non-empty: ClearDamage after each report re-arms
    // it, so a step's many drawing requests cost the server one or two events,
    // not one each.
    void WatchShapeAndDamage(Window window);
    void ClearDamage();
    // Where the window's top-left corner is on the screen, and its size.
    bool Geometry(Window window, int& x, int& y, int& width, int& height);

    // Input as a device would give it.
    void MoveTo(int x, int y);
    void Button(unsigned button, bool down);
    void Key(const char* keysymName);

    // Whether every pixel of the screen rectangle has this 0xRRGGBB colour.
    bool ScreenIs(int x, int y, int width, int height, unsigned long rgb);

    pid_t WindowPid(Window window);

private:
    Display* display_ = nullptr;
    Window root_ = 0;
    int shapeEventBase_ = 0;
    int damageEventBase_ = 0;
    unsigned long damage_ = 0;
};

}  // namespace veilix::bench
