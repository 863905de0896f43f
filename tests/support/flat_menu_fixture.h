#pragma once
// Shared by the painter's colour, component, manager and stored-description
// tests: the fixed system colours, forms to own painters, and handlers that
// stand for ones the application set itself.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "menu_painter/flat_menu.h"
#include "menu_painter/flat_menu_manager.h"
#include "platform/graphics/canvas.h"
#include "platform/core/colors.h"
#include "platform/forms/control_bar.h"
#include "platform/forms/form.h"
#include "platform/menus/menu.h"
#include "platform/menus/popup_menu.h"
#include "support/qt_application.h"
#include "support/system_colours.h"

namespace veilix::testing {

// A form that can be built the way a stored description builds it.
class LoadingForm : public TForm {
public:
    explicit LoadingForm(TComponent* owner = nullptr) : TForm(owner) {}
    void BeginLoading() { SetLoading(true); }
};

// Handlers the application set itself, so attaching must leave them alone.
struct ApplicationHandlers {
    void Draw(TComponent*, TCanvas&, TRect, bool) {}
    void Measure(TComponent*, TCanvas&, int&, int&) {}
    void Band(TComponent*, TCanvas&, TRect) {}
    TMenuDrawItemEvent DrawEvent() { return TMenuDrawItemEvent(this, &ApplicationHandlers::Draw); }
    TMenuMeasureItemEvent MeasureEvent() { return TMenuMeasureItemEvent(this, &ApplicationHandlers::Measure); }
    TBandPaintEvent BandEvent() { return TBandPaintEvent(this, &ApplicationHandlers::Band); }
};

inline TMenuDrawItemEvent PainterDraw(TFlatMenu& p) { return TMenuDrawItemEvent(&p, &TFlatMenu::DrawMenuItem); }
inline TMenuMeasureItemEvent PainterMeasure(TFlatMenu& p) {
    return TMenuMeasureItemEvent(&p, &TFlatMenu::MeasureMenuItem);
}
inline TBandPaintEvent PainterBand(TFlatMenu& p) { return TBandPaintEvent(&p, &TFlatMenu::PaintBand); }

inline TMenuItem* AddItem(TComponent* owner, TMenu& menu, const std::string& caption) {
    auto* item = new TMenuItem(owner);
    item->Caption = caption;
    menu.Add(item);
    return item;
}

inline TMenuItem* AddSubItem(TComponent* owner, TMenuItem& parent, const std::string& caption) {
    auto* item = new TMenuItem(owner);
    item->Caption = caption;
    parent.Add(item);
    return item;
}

struct FreeDeleter {
    void operator()(TComponent* component) const { FreeComponent(component); }
};

class FixedSystemColours : public ::testing::Test {
protected:
    // Menu text that is not black, so that black is never taken for it.
    void SetUp() override { SetSystemColors(FixedSystemColourTable(RGBColor(10, 20, 30))); }
    void TearDown() override { ResetSystemColors(); }
};

class FlatMenuFixture : public FixedSystemColours {
protected:
    void SetUp() override {
        EnsureQtApplication();
        FixedSystemColours::SetUp();
    }

    void TearDown() override {
        forms_.clear();
        FixedSystemColours::TearDown();
        EXPECT_EQ(FlatMenuManager(), nullptr) << "the last painter leaves no manager behind";
    }

    LoadingForm& NewForm() {
        forms_.emplace_back(new LoadingForm());
        return *forms_.back();
    }
    // Destroys a form made by NewForm, with what it owns.
    void FreeForm(TForm& form) {
        std::erase_if(forms_, [&](const auto& owned) { return owned.get() == &form; });
    }

    std::vector<std::unique_ptr<LoadingForm, FreeDeleter>> forms_;
};

}  // namespace veilix::testing
