// Start-up as the user feels it: from the program's exec until its first
// frame is on the screen (a black sheet: every pixel of its middle row and
// column black on a white root), and its resident memory then (VmRSS), against
// an empty Qt Widgets window of the same size and colour, started alternately
// in the same run on the same private Xvfb.
//
//   e2e_startup [--program PATH] [--empty PATH] [--runs N]
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_process.h"
#include "x_watch.h"

#ifndef VEILIX_PROGRAM_PATH
#define VEILIX_PROGRAM_PATH "veilix"
#endif
#ifndef VEILIX_EMPTY_WINDOW_PATH
#define VEILIX_EMPTY_WINDOW_PATH "empty_qt_window"
#endif

namespace veilix::bench {
namespace {

using namespace std::chrono_literals;

struct Start {
    double mappedMicros = 0;
    double paintedMicros = 0;
    long residentKiB = 0;
};

Start StartOnce(XWatch& x, const std::string& path, const std::string& display, const std::string& log) {
    x.Drain();
    Start start;
    const auto exec = Clock::now();
    ChildProgram program(path, {}, display, log);
    // For lining the run up with timestamps the program itself writes.
    static const bool trace = std::getenv("VEILIX_BENCH_TRACE") != nullptr;
    if (trace)
        std::fprintf(stderr, "exec %s %.1f\n", path.c_str(),
                     std::chrono::duration<double, std::micro>(exec.time_since_epoch()).count());
    const Window window = x.WaitForTopLevel(program.Pid(), exec + 20s);
    start.mappedMicros = MicrosBetween(exec, Clock::now());
    int left = 0, top = 0, width = 0, height = 0;
    if (!x.Geometry(window, left, top, width, height)) throw std::runtime_error("the window has gone");
    // Each drawing on the screen wakes us; the poll bounds the wait anyway.
    const auto deadline = exec + 20s;
    XEvent event;
    while (!(x.ScreenIs(left, top + height / 2, width, 1, 0x000000) &&
             x.ScreenIs(left + width / 2, top, 1, height, 0x000000))) {
        if (Clock::now() > deadline) throw std::runtime_error("no first frame within 20 s of the start");
        x.NextEvent(event, Clock::now() + 2ms);
    }
    start.paintedMicros = MicrosBetween(exec, Clock::now());
    if (trace) std::fprintf(stderr, "painted %.1f\n", start.paintedMicros);
    start.residentKiB = ResidentKiB(program.Pid());
    program.Stop();
    // The next start must find the screen as this one did.
    const auto gone = Clock::now() + 5s;
    while (x.NextEvent(event, gone))
        if (event.type == DestroyNotify && event.xdestroywindow.window == window) break;
    return start;
}

double Median(std::vector<double> v) { return Summarise(std::move(v)).p50; }

int Main(int argc, char** argv) {
    std::string program = VEILIX_PROGRAM_PATH, empty = VEILIX_EMPTY_WINDOW_PATH;
    int runs = 15;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--program" && i + 1 < argc)
            program = argv[++i];
        else if (a == "--empty" && i + 1 < argc)
            empty = argv[++i];
        else if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else {
            std::fprintf(stderr, "usage: %s [--program PATH] [--empty PATH] [--runs N]\n", argv[0]);
            return 2;
        }
    }
    TempDir temp;
    setenv("XDG_RUNTIME_DIR", temp.Path().c_str(), 1);
    PrivateXServer server(1920, 1080, {"-wr"});
    XWatch x(server.Display());
    XDamageCreate(x.Dpy(), x.Root(), XDamageReportRawRectangles);
    const std::string log = temp.Path() + "/program.log";
    // One start of each first, unmeasured: the files they read come into the
    // page cache for both alike.
    StartOnce(x, empty, server.Display(), log);
    StartOnce(x, program, server.Display(), log);
    std::vector<double> mapped[2], painted[2], resident[2];
    for (int run = 0; run < runs; ++run)
        for (int which : {run % 2, 1 - run % 2}) {
            const Start s = StartOnce(x, which ? program : empty, server.Display(), log);
            mapped[which].push_back(s.mappedMicros / 1000);
            painted[which].push_back(s.paintedMicros / 1000);
            resident[which].push_back(double(s.residentKiB));
        }
    std::printf(
        "%d starts each, alternating, medians; exec to the window mapped and to its first frame on the "
        "screen, VmRSS then\n",
        runs);
    std::printf("%-22s %10s %12s %10s\n", "", "mapped ms", "painted ms", "RSS KiB");
    const char* names[] = {"empty Qt window", "veilix"};
    for (int which : {0, 1})
        std::printf("%-22s %10.1f %12.1f %10.0f\n", names[which], Median(mapped[which]), Median(painted[which]),
                    Median(resident[which]));
    std::printf("%-22s %10.2f %12.2f %10.2f\n", "ratio veilix/empty", Median(mapped[1]) / Median(mapped[0]),
                Median(painted[1]) / Median(painted[0]), Median(resident[1]) / Median(resident[0]));
    return 0;
}

}  // namespace
}  // namespace veilix::bench

int main(int argc, char** argv) {
    try {
        return veilix::bench::Main(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "e2e_startup: %s\n", e.what());
        return 1;
    }
}
