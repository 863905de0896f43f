// One drag step end to end inside the process: a hole's bounds change, the
// frame is recomposed, and the window shape is handed to the window system.
// Ours recomposes and rescans only what changed; the naive way recomposes the
// whole frame and builds the shape from a colour mask.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBitmap>
#include <QWidget>

#include <memory>
#include <random>
#include <vector>

#include "platform/bitmap.h"
#include "platform/form.h"
#include "platform/frame_composer.h"
#include "platform/image.h"
#include "templates/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix {
namespace {

TBitmap Decoded(std::span<const std::uint8_t> png) {
    const TemplatePicture picture = DecodePng(png);
    return TBitmap::FromRgb(picture.width, picture.height, picture.rgb.data());
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
    form.UpdateFrame();
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
        sheet.form->UpdateFrame();
        benchmark::DoNotOptimize(sheet.form->Composer().Shape().rectCount());
    }
}

void BM_DragStepNaive(benchmark::State& state) {
    Sheet sheet = MakeSheet(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    TImage& hole = DraggedHole(sheet);
    TForm& form = *sheet.form;
    QWidget& widget = *form.NativeWidget();
    int step = 0;
    for (auto _ : state) {
        DragTopLeft(hole, step++);
        form.Invalidate({0, 0, form.Width(), form.Height()});
        form.UpdateFrame();
        const QImage& frame = form.Composer().Frame();
        const QRegion shape(QBitmap::fromImage(frame.createMaskFromColor(qRgb(0, 255, 0), Qt::MaskOutColor)));
        widget.setMask(shape);
        benchmark::DoNotOptimize(shape.rectCount());
    }
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"w", "h", "holes"});
    for (int holes : {1, 10, 100}) b->Args({651, 338, holes});
    for (int holes : {10, 100}) b->Args({3840, 2160, holes});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_DragStep)->Apply(Sizes);
BENCHMARK(BM_DragStepNaive)->Apply(Sizes);

}  // namespace
}  // namespace veilix

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
