// Drag latency as the user feels it: the real program on a private Xvfb, holes
// added through its menu, then one pointer motion at a time over a hole's edge
// (XTest), each timed from the motion until the X server has both reported
// the window's new shape (ShapeNotify) and seen the new pixels drawn on it
// (DamageNotify). The server sends a client's events once it has worked
// through what the program sent in one go, so the report comes after the whole
// batch of drawing; drawing that follows within 2 ms of quiet (a later batch)
// still counts to the step. A step whose only changed pixels are keyed ones
// (shaped out, so the server clips their drawing and reports no damage) is
// complete with its shape; the warm-up steps tell which of the two shapes the
// drag alternates between draws. Prints p50, p90, p99, the program's and the X
// server's CPU per step, and the X round trip (one after each step, the system
// as idle as before a motion) as the floor.
//
//   e2e_drag_latency [--program PATH] [--steps N] [--case NAME]... [--scale R] [--attach CMD]
//
// --scale runs the program with QT_SCALE_FACTOR=R, as on a scaled desktop:
// the bench's places and moves are then in the program's logical pixels, and
// large100's sheet still covers the 3840x2160 screen (1920x1080 at 2, its
// holes closer together).
// --attach runs CMD through the shell while the timed steps run, with %PID%
// replaced by the program's process id and %XPID% by the X server's, and ends
// it with SIGINT after them: e.g. --attach 'perf record -g -p %PID% -o d.data'.
// With VEILIX_BENCH_TRACE set, each timed step's start (steady clock, µs) and
// the arrival of each report after it go to standard error.
//
// Cases: small1 (651x338, one rectangle), small10 (651x338, ten holes of all
// three shapes), large100 (the sheet resized to 3840x2160, a hundred holes).
// Holes are spread over the sheet by dragging their corners, as a user would;
// the dragged one is the last added, a rectangle, by its right edge.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench_process.h"
#include "server_floor.h"
#include "x_watch.h"

#ifndef VEILIX_PROGRAM_PATH
#define VEILIX_PROGRAM_PATH "veilix"
#endif

namespace veilix::bench {
namespace {

using namespace std::chrono_literals;

struct Case {
    std::string name;
    int width;
    int height;
    int holes;
};

enum class Shape { Rectangle, Circle, Ellipse };

struct Template {
    int width;
    int height;
    std::vector<const char*> keys;
};

Template TemplateOf(Shape shape) {
    switch (shape) {
        case Shape::Circle: return {100, 100, {"Down", "Down", "Return"}};
        case Shape::Ellipse: return {200, 100, {"e"}};
        default: return {100, 100, {"r"}};
    }
}

// New holes appear here, in the sheet's client coordinates.
constexpr int kNewHoleX = 0;
constexpr int kNewHoleY = 50;

struct Layout {
    std::vector<Shape> shapes;
    std::vector<std::pair<int, int>> places;  // top-left corners, client coordinates
    std::pair<int, int> menuSpot;             // plain black sheet, never under a hole
};

// The last hole is a rectangle, the one dragged by its right edge.
Layout LayoutFor(const Case& c, double scale) {
    Layout layout;
    const Shape cycle[] = {Shape::Circle, Shape::Ellipse, Shape::Rectangle};
    for (int i = 0; i < c.holes; ++i) layout.shapes.push_back(i == c.holes - 1 ? Shape::Rectangle : cycle[i % 3]);
    if (c.holes == 1) {
        layout.places = {{kNewHoleX, kNewHoleY}};
        layout.menuSpot = {c.width - 11, c.height / 2};
    } else if (c.width < 1000) {
        // Two rows of five; between the rows the sheet is black.
        for (int i = 0; i < c.holes; ++i) layout.places.push_back({130 * (i % 5), i < 5 ? 10 : 190});
        layout.menuSpot = {c.width - 11, 150};
    } else {
        const int across = int(360 / scale), down = int(200 / scale);
        for (int i = 0; i < c.holes; ++i) layout.places.push_back({20 + across * (i % 10), 20 + down * (i / 10)});
        layout.menuSpot = {int(c.width / scale) - 140, int(c.height / scale) / 2};
    }
    return layout;
}

class SheetUnderTest {
public:
    SheetUnderTest(XWatch& x, const std::string& program, const std::string& display, const std::string& log,
                   double scale)
        : x_(x), program_(program, {}, display, log), scale_(scale) {
        window_ = x_.WaitForTopLevel(program_.Pid(), Clock::now() + 20s);
        x_.WatchShapeAndDamage(window_);
        ReadGeometry();
        WaitForBlackAt(width_ / 2, height_ / 2, "the sheet to be painted");
        x_.Drain();
    }

    pid_t Pid() const { return program_.Pid(); }

    void Resize(int width, int height) {
        x_.Drain();
        XMoveResizeWindow(x_.Dpy(), window_, 0, 0, unsigned(width), unsigned(height));
        XFlush(x_.Dpy());
        if (!WaitForShape(Clock::now() + 10s)) throw std::runtime_error("no new shape after the resize");
        ReadGeometry();
        if (width_ != width || height_ != height) throw std::runtime_error("the sheet did not take the new size");
        WaitForBlackAt(width_ - 5, height_ - 5, "the resized sheet to be painted");
        x_.Drain();
    }

    void AddHole(Shape shape, std::pair<int, int> menuSpot) {
        x_.Drain();
        Move(menuSpot.first, menuSpot.second);
        x_.Button(3, true);
        x_.Button(3, false);
        Window menu = 0;
        XEvent event;
        const auto deadline = Clock::now() + 10s;
        while (!menu && x_.NextEvent(event, deadline))
            if (event.type == MapNotify && event.xmap.override_redirect) menu = event.xmap.window;
        if (!menu) throw std::runtime_error("the menu did not open");
        for (const char* key : TemplateOf(shape).keys) x_.Key(key);
        bool closed = false, shaped = false;
        while (!(closed && shaped) && x_.NextEvent(event, deadline)) {
            if (event.type == UnmapNotify && event.xunmap.window == menu) closed = true;
            if (IsShapeNotify(event)) shaped = true;
        }
        if (!(closed && shaped)) throw std::runtime_error("the menu command added no hole");
    }

    // Drags from a client point by (dx, dy) and releases. The program reads
    // the pointer when it handles the press, so a first one-pixel move tells
    // where it took it: if that move changed nothing, the press already saw it.
    void Drag(int fromX, int fromY, int dx, int dy) {
        if (dx == 0 && dy == 0) return;
        x_.Drain();
        Move(fromX, fromY);
        x_.Button(1, true);
        Move(fromX + 1, fromY + 1);
        const int offset = WaitForShape(Clock::now() + 1s) ? 0 : 1;
        Move(fromX + offset + dx, fromY + offset + dy);
        if (!(dx == 1 - offset && dy == 1 - offset) && !WaitForShape(Clock::now() + 10s))
            throw std::runtime_error("a drag changed no shape");
        x_.Button(1, false);
    }

    void SpreadHole(Shape shape, std::pair<int, int> place) {
        const Template t = TemplateOf(shape);
        const int dx = place.first - kNewHoleX, dy = place.second - kNewHoleY;
        // Out with the bottom-right corner, then the top-left corner after it:
        // the corners of every template are black, so they take the press.
        Drag(kNewHoleX + t.width - 2, kNewHoleY + t.height - 2, dx, dy);
        Drag(kNewHoleX + 1, kNewHoleY + 1, dx, dy);
    }

    struct Result {
        std::vector<double> micros;
        std::vector<double> roundTrips;  // one after each step, the system as idle as before a step
        CpuTime cpuBefore, cpuAfter, serverBefore, serverAfter;
        std::array<ShapeRects, 2> shapes;  // the two the steps alternate between
    };

    void Unmap() {
        XUnmapWindow(x_.Dpy(), window_);
        XSync(x_.Dpy(), False);
    }

    XRectangle Place() const {
        return {short(left_), short(top_), static_cast<unsigned short>(width_), static_cast<unsigned short>(height_)};
    }

    // Presses on the rim at a client point and moves the pointer between there
    // and a few pixels to the right, one motion at a time.
    Result TimeEdgeDrag(int x, int y, int steps, const std::string& attach, pid_t serverPid) {
        Result result;
        Move(x, y);
        x_.Button(1, true);
        std::this_thread::sleep_for(50ms);
        int k = 0;
        // The steps alternate between two shapes. When only keyed pixels
        // change between them, the X server clips the program's drawing away
        // and reports no damage: the warm-up learns which of the two draws.
        constexpr int kWarmUpSteps = 10;
        for (int i = 0; i < kWarmUpSteps; ++i) {
            const StepEvents seen = Step(x, y, k, false, false, 100ms);
            if (seen.shaped) draws_[std::size_t(k % 2)] = seen.drawn;
            // The last two leave the two shapes the timed steps alternate between.
            if (i >= kWarmUpSteps - 2) result.shapes[std::size_t(k % 2)] = BoundingShape(x_.Dpy(), window_);
            ++k;
        }
        std::unique_ptr<ChildProgram> attached;
        if (!attach.empty()) {
            std::string command = attach;
            for (auto at = command.find("%PID%"); at != std::string::npos; at = command.find("%PID%"))
                command.replace(at, 5, std::to_string(program_.Pid()));
            for (auto at = command.find("%XPID%"); at != std::string::npos; at = command.find("%XPID%"))
                command.replace(at, 6, std::to_string(serverPid));
            std::fprintf(stderr, "attached: program %d, X server %d\n", int(program_.Pid()), int(serverPid));
            attached = std::make_unique<ChildProgram>("/bin/sh", std::vector<std::string>{"-c", "exec " + command},
                                                      std::string(std::getenv("DISPLAY") ? std::getenv("DISPLAY") : ""),
                                                      "/dev/stderr");
            std::this_thread::sleep_for(2s);
        }
        result.cpuBefore = ProcessCpu(program_.Pid());
        result.serverBefore = ProcessCpu(serverPid);
        for (int i = 0; i < steps; ++i) {
            result.micros.push_back(Step(x, y, k, true, draws_[std::size_t(k % 2)]).micros);
            ++k;
            result.roundTrips.push_back(x_.RoundTripMicros());
        }
        result.cpuAfter = ProcessCpu(program_.Pid());
        result.serverAfter = ProcessCpu(serverPid);
        if (attached) attached->Interrupt();
        x_.Button(1, false);
        return result;
    }

private:
    bool IsShapeNotify(const XEvent& event) const {
        return event.type == x_.ShapeNotifyType() + ShapeNotify &&
               reinterpret_cast<const XShapeEvent&>(event).window == window_;
    }
    bool IsDamageNotify(const XEvent& event) const {
        return event.type == x_.DamageNotifyType() + XDamageNotify &&
               reinterpret_cast<const XDamageNotifyEvent&>(event).drawable == window_;
    }

    bool WaitForShape(Clock::time_point deadline) {
        XEvent event;
        while (x_.NextEvent(event, deadline))
            if (IsShapeNotify(event)) return true;
        return false;
    }

    struct StepEvents {
        double micros = 0;
        bool shaped = false;
        bool drawn = false;
    };

    // One motion, timed until the new shape and, when expected, the new
    // pixels are on the screen; drawing that comes within trailing of the
    // last event still counts.
    StepEvents Step(int x, int y, int k, bool strict, bool expectDrawing, std::chrono::microseconds trailing = 2ms) {
        x_.ClearDamage();
        x_.Drain();
        const auto start = Clock::now();
        Move(x + (k % 2 == 0 ? 5 : 0), y);
        StepEvents seen;
        Clock::time_point end = start, arrival;
        XEvent event;
        static const bool trace = std::getenv("VEILIX_BENCH_TRACE") != nullptr;
        std::string events;
        auto note = [&](const XEvent& e, bool late) {
            end = arrival;
            if (IsShapeNotify(e)) {
                seen.shaped = true;
            } else {
                seen.drawn = true;
                x_.ClearDamage();
            }
            if (trace) {
                const char* mark = IsShapeNotify(e) ? (late ? " s" : " S") : (late ? " d" : " D");
                events += mark + std::to_string(int(MicrosBetween(start, arrival)));
            }
        };
        while (!(seen.shaped && (seen.drawn || !expectDrawing))) {
            if (!x_.NextEvent(event, start + 5s, &arrival)) {
                if (strict) throw std::runtime_error("a drag step brought no new shape and drawing within 5 s");
                return seen;
            }
            if (IsShapeNotify(event) || IsDamageNotify(event)) note(event, false);
        }
        while (x_.NextEvent(event, end + trailing, &arrival))
            if (IsShapeNotify(event) || IsDamageNotify(event)) note(event, true);
        if (trace && strict)
            std::fprintf(stderr, "step %.1f%s\n",
                         std::chrono::duration<double, std::micro>(start.time_since_epoch()).count(), events.c_str());
        seen.micros = MicrosBetween(start, end);
        return seen;
    }

    // A client point in the program's logical pixels.
    void Move(int clientX, int clientY) {
        x_.MoveTo(left_ + int(std::lround(clientX * scale_)), top_ + int(std::lround(clientY * scale_)));
    }

    void ReadGeometry() {
        if (!x_.Geometry(window_, left_, top_, width_, height_)) throw std::runtime_error("the sheet has gone");
    }

    void WaitForBlackAt(int clientX, int clientY, const char* what) {
        const auto deadline = Clock::now() + 20s;
        while (!x_.ScreenIs(left_ + clientX, top_ + clientY, 1, 1, 0x000000)) {
            if (Clock::now() > deadline) throw std::runtime_error(std::string("timed out waiting for ") + what);
            std::this_thread::sleep_for(5ms);
        }
    }

    XWatch& x_;
    ChildProgram program_;
    double scale_;
    std::array<bool, 2> draws_{true, true};  // whether a step to each of the two shapes draws
    Window window_ = 0;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

void RunCase(const Case& c, XWatch& x, const std::string& program, const PrivateXServer& server, const std::string& log,
             int steps, const std::string& attach, double scale) {
    const std::string& display = server.Display();
    SheetUnderTest sheet(x, program, display, log, scale);
    // The case's size is the sheet's on the screen.
    if (c.width != 651 || c.height != 338) sheet.Resize(c.width, c.height);
    const Layout layout = LayoutFor(c, scale);
    for (int i = 0; i < c.holes; ++i) {
        sheet.AddHole(layout.shapes[std::size_t(i)], layout.menuSpot);
        sheet.SpreadHole(layout.shapes[std::size_t(i)], layout.places[std::size_t(i)]);
    }
    const auto [holeX, holeY] = layout.places.back();
    const auto result = sheet.TimeEdgeDrag(holeX + 99, holeY + 50, steps, attach, server.Pid());
    const Summary s = Summarise(result.micros);
    const Summary rt = Summarise(result.roundTrips);
    // With the sheet out of the way, the bench's window lies over the root
    // window alone, as the sheet did.
    sheet.Unmap();
    const Summary alone = Summarise(TimeServerAlone(x, sheet.Place(), result.shapes, steps));
    const double statPerStep = (result.cpuAfter.statSeconds - result.cpuBefore.statSeconds) * 1e6 / steps;
    const double serverPerStep = (result.serverAfter.schedSeconds - result.serverBefore.schedSeconds) * 1e6 / steps;
    std::printf("%-24s %6zu %8.0f %8.0f %8.0f %8.0f %8.0f %10.0f %10.0f %8.0f %8.0f %12.0f\n", c.name.c_str(), s.count,
                s.p50, s.p90, s.p99, s.max, rt.p50, s.p50 - rt.p50, s.p99 - rt.p50, statPerStep, serverPerStep,
                alone.p50 - rt.p50);
    std::fflush(stdout);
}

int Main(int argc, char** argv) {
    std::string program = VEILIX_PROGRAM_PATH;
    int steps = 2000;
    std::vector<std::string> chosen;
    std::string attach;
    double scale = 1.0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--program" && i + 1 < argc)
            program = argv[++i];
        else if (a == "--steps" && i + 1 < argc)
            steps = std::max(1, std::atoi(argv[++i]));
        else if (a == "--case" && i + 1 < argc)
            chosen.push_back(argv[++i]);
        else if (a == "--attach" && i + 1 < argc)
            attach = argv[++i];
        else if (a == "--scale" && i + 1 < argc && std::atof(argv[i + 1]) >= 1.0)
            scale = std::atof(argv[++i]);
        else {
            std::fprintf(stderr,
                         "usage: %s [--program PATH] [--steps N] [--case small1|small10|large100]... [--scale R] "
                         "[--attach CMD]\n",
                         argv[0]);
            return 2;
        }
    }
    const std::vector<std::pair<std::string, Case>> all = {
        {"small1", {"651x338, 1 hole", 651, 338, 1}},
        {"small10", {"651x338, 10 holes", 651, 338, 10}},
        {"large100", {"3840x2160, 100 holes", 3840, 2160, 100}},
    };
    TempDir temp;
    // Qt wants a runtime directory of its own; the program inherits ours.
    setenv("XDG_RUNTIME_DIR", temp.Path().c_str(), 1);
    if (scale != 1.0) setenv("QT_SCALE_FACTOR", std::to_string(scale).c_str(), 1);
    PrivateXServer server(3840, 2160, {"-wr"});
    XWatch x(server.Display());
    std::printf(
        "program %s, scale %g, %d steps a case; times in microseconds; RT = X round trip (GetInputFocus, one after "
        "each step) p50\n",
        program.c_str(), scale, steps);
    std::printf("%-24s %6s %8s %8s %8s %8s %8s %10s %10s %8s %8s %12s\n", "case", "steps", "p50", "p90", "p99", "max",
                "RT", "p50-RT", "p99-RT", "cpu/step", "X cpu", "X alone-RT");
    for (const auto& [key, c] : all) {
        if (!chosen.empty() && std::find(chosen.begin(), chosen.end(), key) == chosen.end()) continue;
        try {
            RunCase(c, x, program, server, temp.Path() + "/program.log", steps, attach, scale);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", c.name.c_str(), e.what());
            std::FILE* log = std::fopen((temp.Path() + "/program.log").c_str(), "r");
            if (log) {
                char line[512];
                while (std::fgets(line, sizeof line, log)) std::fputs(line, stderr);
                std::fclose(log);
            }
            return 1;
        }
    }
    std::printf(
        "cpu/step: the program's utime+stime over the timed steps (/proc/PID/stat), per step; X cpu: the X "
        "server's CPU per step (its threads' scheduler times), the bench's own requests included; X alone-RT: p50 of "
        "the "
        "same two shapes and a put of the area where they differ, sent by the bench on a window of its own "
        "and answered, less RT: the server's share of a step\n");
    return 0;
}

}  // namespace
}  // namespace veilix::bench

int main(int argc, char** argv) {
    try {
        return veilix::bench::Main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "e2e_drag_latency: %s\n", e.what());
        return 1;
    }
}
