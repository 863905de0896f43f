// One drag step inside the process, all of it: a hole's bounds change, the
// frame is recomposed, its shape goes to the X server, the changed area is
// painted onto the window, and the step ends when the server has taken all of
// that (a round trip after it). Ours recomposes, rescans and repaints only what
// changed; the naive way does the same work for the whole window every step
// (whole frame recomposed, every row rescanned, the whole window repainted).
// Both run through the same event processing on the same window.
//
// Runs on Qt's xcb platform under a private Xvfb (3840x2160) unless
// QT_QPA_PLATFORM or DISPLAY say otherwise; offscreen, no platform takes the
// shape, so the two ways no longer do the same work (a note says so). After
// the runs it prints the ratio of the naive way's time to ours.
#include <benchmark/benchmark.h>

#include <xcb/xcb.h>
#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "bench_process.h"
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/graphics/bitmap.h"
#include "platform/output/frame_composer.h"
#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix {
namespace {

TBitmap Decoded(std::span<const std::uint8_t> png) {
    const TemplatePicture picture = DecodePng(png);
    return TBitmap::FromRgb(picture.width, picture.height, picture.rgb.data());
}

// Waits until the X server has handled everything sent so far.
void SyncWithWindowSystem() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    xcb_connection_t* c = x11->connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// Everything pending: input, the update request, the paint and its flush.
void ProcessEventsAndSync() {
    QCoreApplication::processEvents();
    SyncWithWindowSystem();
}

struct Sheet {
    std::unique_ptr<TForm> form;
    std::vector<TImage*> holes;
};

// A shown sheet with holes of all three shapes scattered over it (fixed seed).
Sheet MakeSheet(int width, int height, int holeCount) {
    static const TBitmap templates[] = {Decoded(RectangleTemplatePng()), Decoded(CircleTemplatePng()),
                                        Decoded(EllipseTemplatePng())};
    Sheet sheet{std::make_unique<TForm>(nullptr), {}};
    TForm& form = *sheet.form;
    form.SetBorderStyle(TBorderStyle::bsNone);
    form.SetLeft(0);
    form.SetTop(0);
    form.SetClientWidth(width);
    form.SetClientHeight(height);
    form.SetColor(clBlack);
    form.SetTransparentColorValue(clLime);
    form.SetTransparentColor(true);
    std::mt19937 random(12345);
    for (int i = 0; i < holeCount; ++i) {
        auto* hole = new TImage(&form);
        hole->SetParent(&form);
        hole->SetStretch(true);
        const TBitmap& picture = templates[i % 3];
        hole->Picture().Assign(picture);
        hole->SetWidth(picture.Width() + int(random() % 60));
        hole->SetHeight(picture.Height() + int(random() % 40));
        hole->SetLeft(int(random() % unsigned(std::max(width - hole->Width(), 1))));
        hole->SetTop(int(random() % unsigned(std::max(height - hole->Height(), 1))));
        sheet.holes.push_back(hole);
    }
    form.Show();
    // Only a window on the screen is painted.
    QWindow* window = form.NativeWidget()->windowHandle();
    for (int i = 0; i < 2000 && window && !window->isExposed(); ++i) ProcessEventsAndSync();
    for (int i = 0; i < 5; ++i) ProcessEventsAndSync();
    return sheet;
}

// The four bound changes of a top-left corner drag, each its own change.
void DragTopLeft(TImage& hole, int step) {
    const int d = (step % 2) ? 7 : -7;
    hole.SetLeft(hole.Left() + d);
    hole.SetTop(hole.Top() + d);
    hole.SetWidth(hole.Width() - d);
    hole.SetHeight(hole.Height() - d);
}

TImage& DraggedHole(Sheet& sheet) { return *sheet.holes[sheet.holes.size() / 2]; }

void BM_DragStep(benchmark::State& state) {
    Sheet sheet = MakeSheet(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    TImage& hole = DraggedHole(sheet);
    int step = 0;
    for (auto _ : state) {
        DragTopLeft(hole, step++);
        ProcessEventsAndSync();
    }
    benchmark::DoNotOptimize(sheet.form->Composer().Shape().rectCount());
}

void BM_DragStepNaive(benchmark::State& state) {
    Sheet sheet = MakeSheet(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    TImage& hole = DraggedHole(sheet);
    TForm& form = *sheet.form;
    int step = 0;
    for (auto _ : state) {
        DragTopLeft(hole, step++);
        form.Invalidate({0, 0, form.Width(), form.Height()});
        ProcessEventsAndSync();
    }
    benchmark::DoNotOptimize(form.Composer().Shape().rectCount());
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "holes"});
    for (int holes : {1, 10, 100}) b->Args({651, 338, holes});
    for (int holes : {10, 100}) b->Args({3840, 2160, holes});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_DragStep)->Apply(Sizes);
BENCHMARK(BM_DragStepNaive)->Apply(Sizes);

// Keeps each run's time per step for the ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration && run.aggregate_name != "median") continue;
            const bool naive = run.run_name.function_name.find("Naive") != std::string::npos;
            (naive ? naive_ : ours_)[run.run_name.args] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        std::printf("\nnaive / ours (real time per step):\n");
        for (const auto& [key, ours] : ours_) {
            const auto naive = naive_.find(key);
            if (naive != naive_.end() && ours > 0) std::printf("  %-32s %6.1fx\n", key.c_str(), naive->second / ours);
        }
    }

private:
    std::map<std::string, double> ours_, naive_;
};

}  // namespace
}  // namespace veilix

int main(int argc, char** argv) {
    std::unique_ptr<veilix::bench::TempDir> runtime;
    std::unique_ptr<veilix::bench::PrivateXServer> server;
    if (qgetenv("QT_QPA_PLATFORM").isEmpty() && qgetenv("DISPLAY").isEmpty()) {
        runtime = std::make_unique<veilix::bench::TempDir>();
        setenv("XDG_RUNTIME_DIR", runtime->Path().c_str(), 1);
        server = std::make_unique<veilix::bench::PrivateXServer>(3840, 2160);
        setenv("DISPLAY", server->Display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    QApplication application(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        std::fprintf(stderr, "note: on the %s platform no window system takes the shape\n",
                     qPrintable(QGuiApplication::platformName()));
    benchmark::Initialize(&argc, argv);
    veilix::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
