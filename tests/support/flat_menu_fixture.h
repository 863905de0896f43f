#pragma once
// The menu painter's test fixtures: the fixed system colours, forms to own
// painters and handlers that stand for ones the application set itself; and
// for the item tests, a painter with the stencil window's settings and menus
// to paint.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "menu_painter/flat_menu.h"
#include "menu_painter/flat_menu_manager.h"
#include "platform/core/colors.h"
#include "platform/core/component.h"
#include "platform/forms/control_bar.h"
#include "platform/forms/form.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/menus/menu.h"
#include "platform/menus/popup_menu.h"
#include "support/loading_form.h"
#include "support/qt_application.h"
#include "support/system_colours.h"

namespace veilix::testing {

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

// A painter set up as the stencil window's, and a popup menu to paint.
class FlatMenuItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        SetSystemColors(FixedSystemColourTable());

        root_ = std::make_unique<TComponent>(nullptr);
        painter_ = new TFlatMenu(nullptr);
        painterOwner_.reset(painter_);
        // The stencil window's painter.
        painter_->SetDimLevel(30);
        painter_->SetGrayLevel(10);
        painter_->SetIconWidth(24);
        painter_->SetUseSystemColors(true);
        painter_->SetUseDimColor(true);
        painter_->SetGradient(true);
        painter_->SetFlatMenu(true);
        painter_->SetDrawMenuBar(true);
        // The stencil window's stored font, not the desktop's menu font.
        painter_->SetFont(TFont{"Tahoma", -11, DEFAULT_CHARSET, clMenuText, 0});
        TBitmap screen(1, 1);
        painter_->DerivePalette(screen.Canvas());
        popup_ = new TPopupMenu(root_.get());
    }

    void TearDown() override {
        painterOwner_.reset();
        root_.reset();
        ResetSystemColors();
    }

    TMenuItem* AddItem(const std::string& caption, TMenu* menu = nullptr) {
        auto* item = new TMenuItem(root_.get());
        item->Caption = caption;
        (menu ? menu : popup_)->Add(item);
        return item;
    }

    // A canvas with the painter's font, for the expected text metrics.
    TCanvas& FontCanvas() {
        TCanvas& canvas = fontBitmap_.Canvas();
        canvas.Font = painter_->Font();
        return canvas;
    }

    std::unique_ptr<TComponent> root_;
    std::unique_ptr<TFlatMenu> painterOwner_;
    TFlatMenu* painter_ = nullptr;
    TPopupMenu* popup_ = nullptr;
    TBitmap fontBitmap_{4, 4};
};

}  // namespace veilix::testing
