// Measuring and painting the items of a popup menu with the stencil window's
// painter settings, the work the menu does before it shows: the program's own
// four items, and a long menu of thirty items with icons, each composed
// off-screen and copied to a surface the size of the menu window. The frame
// request that painting posts is taken off the queue between runs, outside
// the timing, so each run posts once as a real opening does.
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "menu_painter/flat_menu.h"
#include "platform/core/component.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/menus/image_list.h"
#include "platform/menus/menu.h"
#include "platform/menus/popup_menu.h"

namespace veilix {
namespace {

TBitmap Icon(int seed) {
    TBitmap icon(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool ground = x < 2 || y < 2 || x > 13 || y > 13;
            icon.SetPixel(x, y, ground ? clLime : RGBColor(std::uint8_t(seed * 37 + x * 9), std::uint8_t(y * 15), 90));
        }
    return icon;
}

class MenuFixture {
public:
    explicit MenuFixture(int itemCount, bool icons) {
        painter_ = std::make_unique<TFlatMenu>(nullptr);
        painter_->SetUseDimColor(true);
        painter_->SetGradient(true);
        painter_->SetFlatMenu(true);
        painter_->SetDrawMenuBar(true);
        popup_ = new TPopupMenu(&root_);
        if (icons) {
            auto* images = new TImageList(&root_);
            for (int i = 0; i < 8; ++i) images->Add(Icon(i));
            popup_->Images = images;
        }
        const char* captions[] = {"Add &Rectangle", "Add Circle", "Add &Ellipse", "&Close"};
        for (int i = 0; i < itemCount; ++i) {
            auto* item = new TMenuItem(&root_);
            item->Caption = itemCount == 4 ? captions[i] : "Item &" + std::to_string(i) + " of the long menu";
            if (icons) item->ImageIndex = i % 8;
            if (i == 3 && icons) item->Enabled = false;
            popup_->Add(item);
        }
    }

    // One opening: every item measured, then every item painted, the fourth
    // one highlighted.
    void MeasureAndPaint(TCanvas& measureCanvas) {
        std::vector<std::pair<int, int>> sizes;
        int menuWidth = 0;
        for (TMenuItem* item : popup_->Items()) {
            int width = 0, height = 0;
            painter_->MeasureMenuItem(item, measureCanvas, width, height);
            sizes.emplace_back(width, height);
            menuWidth = std::max(menuWidth, width);
        }
        int height = 0;
        for (const auto& size : sizes) height += size.second;
        if (!surface_ || surface_->Width() != menuWidth + 6 || surface_->Height() != height + 6)
            surface_ = std::make_unique<TBitmap>(menuWidth + 6, height + 6);
        TCanvas& canvas = surface_->Canvas();
        int top = 3;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const TRect rect{3, top, 3 + menuWidth, top + sizes[i].second};
            painter_->PaintMenuItem(*popup_->Items()[i], canvas, rect, i == 3);
            top = rect.Bottom;
        }
    }

private:
    TComponent root_{nullptr};
    std::unique_ptr<TFlatMenu> painter_;
    TPopupMenu* popup_ = nullptr;
    std::unique_ptr<TBitmap> surface_;
};

void Run(benchmark::State& state, int itemCount, bool icons) {
    MenuFixture menu(itemCount, icons);
    TBitmap measureSurface(8, 8);
    for (auto _ : state) {
        menu.MeasureAndPaint(measureSurface.Canvas());
        state.PauseTiming();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * itemCount);
}

void BM_ProgramMenu(benchmark::State& state) { Run(state, 4, false); }
void BM_LongMenuWithIcons(benchmark::State& state) { Run(state, 30, true); }

BENCHMARK(BM_ProgramMenu)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LongMenuWithIcons)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace veilix

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
