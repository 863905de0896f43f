#pragma once
// Shared set-up for the menu painter's item tests: a fixed system colour
// table, a painter with the stencil window's settings, and menus to paint.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "menu_painter/flat_menu.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/core/colors.h"
#include "platform/core/component.h"
#include "platform/menus/menu.h"
#include "platform/menus/popup_menu.h"
#include "support/flat_menu_fixture.h"
#include "support/qt_application.h"
#include "support/system_colours.h"

namespace veilix::testing {

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
