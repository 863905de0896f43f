// Opening the menu as the user feels it: the real program and a minimal Qt
// Widgets program whose right-button release opens a fresh QMenu with the
// same four items (qmenu_anchor), both on one private Xvfb, opened in
// alternating blocks. Each opening is timed from the button's release (XTest)
// until the X server maps the menu's window (MapNotify of an
// override-redirect window) and until the menu's area on the screen shows
// the menu whole: its pixels, read back at each damage report, equal to those
// that the first, unmeasured opening settled on. Escape then closes it, and
// the next opening waits until the screen has been quiet for a while.
// Prints p50 and p90 of both times for each program and the ratios.
//
//   menu_open_latency [--program PATH] [--other PATH] [--anchor PATH] [--openings N] [--block N] [--reused]
//
// --other adds another build of the program, its sheet moved below the
// first, so that two builds are compared in one run; --reused adds the
// anchor with one QMenu made once and reused.
// With VEILIX_BENCH_TRACE set, each opening's times go to standard error.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench_process.h"
#include "x_watch.h"

#ifndef VEILIX_PROGRAM_PATH
#define VEILIX_PROGRAM_PATH "veilix"
#endif
#ifndef VEILIX_QMENU_ANCHOR_PATH
#define VEILIX_QMENU_ANCHOR_PATH "qmenu_anchor"
#endif

namespace veilix::bench {
namespace {

using namespace std::chrono_literals;

struct Opening {
    double mappedMicros = 0;
    double paintedMicros = 0;
};

struct Area {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Area&) const = default;
};

// The screen's pixels of an area, as the server sends them.
std::string ScreenBytes(XWatch& x, const Area& a) {
    XImage* image = XGetImage(x.Dpy(), x.Root(), a.x, a.y, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image) throw std::runtime_error("cannot read the screen");
    std::string bytes(image->data, std::size_t(image->bytes_per_line) * std::size_t(image->height));
    XDestroyImage(image);
    return bytes;
}

// Drawing anywhere on the screen, reported once it makes the damage
// non-empty; Rearm after each report.
class ScreenDamage {
public:
    explicit ScreenDamage(XWatch& x) : x_(x), damage_(XDamageCreate(x.Dpy(), x.Root(), XDamageReportNonEmpty)) {
        XSync(x_.Dpy(), False);
    }
    bool Is(const XEvent& event) const { return event.type == x_.DamageNotifyType() + XDamageNotify; }
    void Rearm() {
        XDamageSubtract(x_.Dpy(), damage_, None, None);
        XFlush(x_.Dpy());
    }
    // Waits until nothing has been drawn for quiet, and returns whether it was.
    bool WaitQuiet(std::chrono::milliseconds quiet, Clock::time_point deadline) {
        Rearm();
        XEvent event;
        auto until = Clock::now() + quiet;
        while (Clock::now() < deadline) {
            if (!x_.NextEvent(event, std::min(until, deadline))) return Clock::now() < deadline;
            if (Is(event)) {
                Rearm();
                until = Clock::now() + quiet;
            }
        }
        return false;
    }

private:
    XWatch& x_;
    Damage damage_;
};

class MenuProgram {
public:
    MenuProgram(XWatch& x, ScreenDamage& damage, std::string name, const std::string& path,
                const std::vector<std::string>& arguments, const std::string& display, const std::string& log,
                std::optional<std::pair<int, int>> moveTo = std::nullopt)
        : x_(x), damage_(damage), name_(std::move(name)), program_(path, arguments, display, log) {
        const Window window = x_.WaitForTopLevel(program_.Pid(), Clock::now() + 20s);
        if (moveTo) {
            XMoveWindow(x_.Dpy(), window, moveTo->first, moveTo->second);
            XSync(x_.Dpy(), False);
        }
        int left = 0, top = 0, width = 0, height = 0;
        if (!x_.Geometry(window, left, top, width, height)) throw std::runtime_error(name_ + ": the window has gone");
        // Plain black sheet, away from the edges.
        clickX_ = left + width / 3;
        clickY_ = top + height / 3;
        const auto deadline = Clock::now() + 20s;
        while (!x_.ScreenIs(left, top + height / 2, width, 1, 0x000000)) {
            if (Clock::now() > deadline) throw std::runtime_error(name_ + ": the window was not painted");
            std::this_thread::sleep_for(5ms);
        }
    }

    const std::string& Name() const { return name_; }

    // The first opening learns what the whole menu looks like.
    void Learn() { Open(true); }
    Opening Time() { return Open(false); }

private:
    Opening Open(bool learn) {
        x_.MoveTo(clickX_, clickY_);
        x_.Button(3, true);
        // The press is handled, and whatever it drew is on the screen, before
        // the release is sent.
        if (!damage_.WaitQuiet(30ms, Clock::now() + 5s)) throw std::runtime_error(name_ + ": no quiet after the press");
        x_.Drain();
        damage_.Rearm();
        const auto start = Clock::now();
        x_.Button(3, false);
        const auto deadline = start + 5s;
        Window menu = 0;
        Area area;
        Opening opening;
        bool painted = false;
        std::string events;  // type@µs of each event, for the trace; 0 is damage
        XEvent event;
        Clock::time_point arrival;
        while (!painted) {
            if (!x_.NextEvent(event, deadline, &arrival))
                throw std::runtime_error(name_ + ": the menu was not shown within 5 s");
            if (Trace())
                events += " " + std::to_string(damage_.Is(event) ? 0 : event.type) + "@" +
                          std::to_string(int(MicrosBetween(start, arrival)));
            switch (event.type) {
                case CreateNotify:
                    places_[event.xcreatewindow.window] = {event.xcreatewindow.x, event.xcreatewindow.y,
                                                           event.xcreatewindow.width, event.xcreatewindow.height};
                    break;
                case ConfigureNotify:
                    places_[event.xconfigure.window] = {event.xconfigure.x, event.xconfigure.y, event.xconfigure.width,
                                                        event.xconfigure.height};
                    break;
                case MapNotify:
                    if (menu || !event.xmap.override_redirect) break;
                    menu = event.xmap.window;
                    opening.mappedMicros = MicrosBetween(start, arrival);
                    area = PlaceOf(menu);
                    if (!learn && !(area == menuArea_))
                        throw std::runtime_error(name_ + ": the menu opened elsewhere than the first time");
                    break;
                default: break;
            }
            if (!menu) continue;
            if (learn) {
                // Settled: the same pixels after two quiet spells in a row.
                std::string before;
                for (;;) {
                    if (!damage_.WaitQuiet(100ms, deadline))
                        throw std::runtime_error(name_ + ": the menu never settled");
                    std::string now = ScreenBytes(x_, area);
                    if (now == before) break;
                    before = std::move(now);
                }
                menuArea_ = area;
                menuPixels_ = std::move(before);
                painted = true;
            } else if (damage_.Is(event) || event.type == MapNotify) {
                // The screen is read after re-arming, so no drawing falls
                // between the two unseen.
                damage_.Rearm();
                if (ScreenBytes(x_, area) == menuPixels_) {
                    painted = true;
                    opening.paintedMicros = MicrosBetween(start, arrival);
                }
            }
        }
        x_.Key("Escape");
        bool closed = false;
        while (!closed && x_.NextEvent(event, Clock::now() + 5s))
            closed = (event.type == UnmapNotify && event.xunmap.window == menu) ||
                     (event.type == DestroyNotify && event.xdestroywindow.window == menu);
        if (!closed) throw std::runtime_error(name_ + ": Escape did not close the menu");
        // What closing the menu draws is done before the next opening.
        if (!damage_.WaitQuiet(50ms, Clock::now() + 5s)) throw std::runtime_error(name_ + ": no quiet after closing");
        if (Trace() && !learn)
            std::fprintf(stderr, "%s mapped %.0f painted %.0f:%s\n", name_.c_str(), opening.mappedMicros,
                         opening.paintedMicros, events.c_str());
        return opening;
    }

    static bool Trace() {
        static const bool trace = std::getenv("VEILIX_BENCH_TRACE") != nullptr;
        return trace;
    }

    Area PlaceOf(Window window) {
        const auto known = places_.find(window);
        if (known != places_.end()) return known->second;
        Area a;
        if (!x_.Geometry(window, a.x, a.y, a.width, a.height)) throw std::runtime_error(name_ + ": the menu has gone");
        return a;
    }

    XWatch& x_;
    ScreenDamage& damage_;
    std::string name_;
    ChildProgram program_;
    int clickX_ = 0, clickY_ = 0;
    std::map<Window, Area> places_;  // top-level windows, as created and configured
    Area menuArea_;
    std::string menuPixels_;
};

int Main(int argc, char** argv) {
    std::string program = VEILIX_PROGRAM_PATH, other, anchor = VEILIX_QMENU_ANCHOR_PATH;
    int openings = 100, block = 10;
    bool reused = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--program" && i + 1 < argc)
            program = argv[++i];
        else if (a == "--other" && i + 1 < argc)
            other = argv[++i];
        else if (a == "--anchor" && i + 1 < argc)
            anchor = argv[++i];
        else if (a == "--openings" && i + 1 < argc)
            openings = std::max(1, std::atoi(argv[++i]));
        else if (a == "--block" && i + 1 < argc)
            block = std::max(1, std::atoi(argv[++i]));
        else if (a == "--reused")
            reused = true;
        else {
            std::fprintf(
                stderr,
                "usage: %s [--program PATH] [--other PATH] [--anchor PATH] [--openings N] [--block N] [--reused]\n",
                argv[0]);
            return 2;
        }
    }
    TempDir temp;
    setenv("XDG_RUNTIME_DIR", temp.Path().c_str(), 1);
    PrivateXServer server(1920, 1080, {"-wr"});
    XWatch x(server.Display());
    ScreenDamage damage(x);
    const std::string log = temp.Path() + "/program.log";
    // Side by side, never overlapping: the sheet where it opens (another
    // build's below it), the anchors to its right.
    std::vector<std::unique_ptr<MenuProgram>> programs;
    programs.push_back(
        std::make_unique<MenuProgram>(x, damage, "veilix", program, std::vector<std::string>{}, server.Display(), log));
    programs.push_back(std::make_unique<MenuProgram>(x, damage, "fresh QMenu", anchor,
                                                     std::vector<std::string>{"--at", "1000,100"}, server.Display(),
                                                     temp.Path() + "/anchor.log"));
    if (!other.empty())
        programs.push_back(std::make_unique<MenuProgram>(x, damage, "other build", other, std::vector<std::string>{},
                                                         server.Display(), temp.Path() + "/other.log",
                                                         std::make_pair(274, 700)));
    if (reused)
        programs.push_back(std::make_unique<MenuProgram>(x, damage, "reused QMenu", anchor,
                                                         std::vector<std::string>{"--reuse", "--at", "1000,600"},
                                                         server.Display(), temp.Path() + "/reused.log"));
    for (auto& p : programs) p->Learn();
    // A few unmeasured openings of each bring both into their steady state.
    for (auto& p : programs)
        for (int i = 0; i < 5; ++i) p->Time();
    std::vector<std::vector<double>> mapped(programs.size()), painted(programs.size());
    for (int done = 0, round = 0; done < openings; done += block, ++round) {
        const int count = std::min(block, openings - done);
        for (std::size_t k = 0; k < programs.size(); ++k) {
            // Each round starts with the next program, so none always goes first.
            const std::size_t which = (k + std::size_t(round)) % programs.size();
            for (int i = 0; i < count; ++i) {
                const Opening o = programs[which]->Time();
                mapped[which].push_back(o.mappedMicros / 1000);
                painted[which].push_back(o.paintedMicros / 1000);
            }
        }
    }
    std::printf(
        "%d openings each, in alternating blocks of %d; from the right button's release to the menu's window "
        "mapped and to the whole menu on the screen, ms\n",
        openings, block);
    std::printf("%-16s %10s %10s %11s %11s\n", "", "mapped p50", "mapped p90", "painted p50", "painted p90");
    std::vector<Summary> m, p;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        m.push_back(Summarise(mapped[i]));
        p.push_back(Summarise(painted[i]));
        std::printf("%-16s %10.2f %10.2f %11.2f %11.2f\n", programs[i]->Name().c_str(), m[i].p50, m[i].p90, p[i].p50,
                    p[i].p90);
    }
    for (std::size_t i = 1; i < programs.size(); ++i)
        std::printf("%-16s %10.2f %10.2f %11.2f %11.2f\n",
                    ("veilix/" + programs[i]->Name().substr(0, programs[i]->Name().find(' '))).c_str(),
                    m[0].p50 / m[i].p50, m[0].p90 / m[i].p90, p[0].p50 / p[i].p50, p[0].p90 / p[i].p90);
    return 0;
}

}  // namespace
}  // namespace veilix::bench

int main(int argc, char** argv) {
    try {
        return veilix::bench::Main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "menu_open_latency: %s\n", e.what());
        return 1;
    }
}
