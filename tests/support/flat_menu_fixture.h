#pragma once
// Shared by the painter's colour, component, manager and stored-description
// tests: a fixed system colour table, forms to own painters, and handlers that
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

// The system colours the painter's rules are held to, with the menu text
// colour a suite reads; every other entry is a colour none of the rules
// should ever produce.
inline SystemColorTable PainterSystemColours(TColor menuText) {
    SystemColorTable table{};
    table.fill(RGBColor(1, 2, 3));
    table[3] = RGBColor(122, 150, 223);  // inactive caption
    table[7] = menuText;
    table[13] = RGBColor(49, 106, 197);  // highlight
    table[15] = RGBColor(236, 233, 216);  // button face
    table[16] = RGBColor(172, 168, 153);  // button shadow
    return table;
}

class FixedSystemColours : public ::testing::Test {
protected:
    static constexpr TColor kFace = RGBColor(236, 233, 216);
    static constexpr TColor kHighlight = RGBColor(49, 106, 197);
    static constexpr TColor kShadow = RGBColor(172, 168, 153);
    static constexpr TColor kMenuText = RGBColor(10, 20, 30);
    static constexpr TColor kInactiveCaption = RGBColor(122, 150, 223);

    void SetUp() override { SetSystemColors(PainterSystemColours(kMenuText)); }
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
