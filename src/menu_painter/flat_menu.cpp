#include "menu_painter/flat_menu.h"

#include <vector>

#include "menu_painter/control_styling.h"
#include "menu_painter/flat_menu_manager.h"
#include "platform/core/exception.h"
#include "platform/forms/control_bar.h"
#include "platform/forms/form.h"
#include "platform/forms/windowed/win_control.h"
#include "platform/graphics/fonts.h"
#include "platform/menus/menu.h"
#include "platform/menus/popup_menu.h"
#include "platform/system/os_version.h"

namespace veilix {

namespace {

// The painter belongs to a form or to nothing; checked before it joins its
// owner, so a refused painter never shows up among the owner's components.
TComponent* FormOrNone(TComponent* owner) {
    if (owner && !dynamic_cast<TForm*>(owner)) throw EInvalidCast();
    return owner;
}

bool Designing(const TComponent& component) { return component.ComponentState() & csDesigning; }

}  // namespace

TFlatMenu::TFlatMenu(TComponent* owner) : TComponent(FormOrNone(owner)), ownerForm_(dynamic_cast<TForm*>(owner)) {
    if (GetSystemMenuFont(font_)) font_.Color = clMenuText;
    colours_.FontColor = font_.Color;
    colours_.SelectFontColor = font_.Color;
    if (ownerForm_) {
        DerivePaletteFor(ownerForm_->CanvasBitsPerPixel());
    } else {
        // No surface to derive for yet: the first painting derives it.
        paletteDirty_ = true;
    }
    const TOSVersionTraits os = OSVersionTraits();
    isNT_ = os.NTFamily;
    isV51_ = os.NTFamily && os.Version51;
    if (!Designing(*this)) EnsureFlatMenuManager();
}

TFlatMenu::~TFlatMenu() {
    if (ownerForm_) AttachAll(ownerForm_, false, false);
    TFlatMenuManager* manager = FlatMenuManager();
    if (!manager || Designing(*this)) return;
    manager->UnregisterPainter(this);
    if (ownerForm_) ownerForm_->Repaint();
    if (manager->Painters().empty()) DestroyFlatMenuManager();
}

void TFlatMenu::Loaded() {
    TComponent::Loaded();
    if (!Designing(*this)) EnsureFlatMenuManager().RegisterPainter(this);
}

void TFlatMenu::Notification(TComponent* component, TOperation operation) {
    if (TFlatMenuManager* manager = FlatMenuManager(); manager && !Designing(*this))
        manager->FormNotified(component, operation);
    TComponent::Notification(component, operation);
    if (!active_ || !autoDetect_ || operation != TOperation::opInsert || Designing(*this)) return;
    // Toolbar buttons are offered too where the platform has them.
    if (dynamic_cast<TMenuItem*>(component) || dynamic_cast<TControlBar*>(component))
        AttachComponent(component, true, RepaintOnAttach());
}

// ---- properties --------------------------------------------------------------

void TFlatMenu::SetFont(const TFont& value) {
    font_ = value;
    colours_.FontColor = value.Color;
    RequestMenuBarRedraw();
}

// A colour property only marks the palette: it is derived again before the
// next painting, with the surface's colour depth at hand.
void TFlatMenu::SetPaletteColour(TColor TPaletteProperties::*field, TColor value) {
    colours_.*field = value;
    paletteDirty_ = true;
}

void TFlatMenu::SetColor(TColor value) { SetPaletteColour(&TPaletteProperties::Color, value); }

void TFlatMenu::SetIconBackColor(TColor value) { SetPaletteColour(&TPaletteProperties::IconBackColor, value); }

void TFlatMenu::SetMenuBarColor(TColor value) {
    SetPaletteColour(&TPaletteProperties::MenuBarColor, value);
    RequestMenuBarRedraw();
}

void TFlatMenu::SetSelectColor(TColor value) { SetPaletteColour(&TPaletteProperties::SelectColor, value); }

void TFlatMenu::SetSelectBorderColor(TColor value) { SetPaletteColour(&TPaletteProperties::SelectBorderColor, value); }

void TFlatMenu::SetSelectFontColor(TColor value) { SetPaletteColour(&TPaletteProperties::SelectFontColor, value); }

void TFlatMenu::SetDisabledColor(TColor value) { SetPaletteColour(&TPaletteProperties::DisabledColor, value); }

void TFlatMenu::SetSeparatorColor(TColor value) { SetPaletteColour(&TPaletteProperties::SeparatorColor, value); }

void TFlatMenu::SetCheckedColor(TColor value) { SetPaletteColour(&TPaletteProperties::CheckedColor, value); }

void TFlatMenu::SetUseSystemColors(bool value) {
    // The palette is left as it is: the next colour change derives it anew.
    colours_.UseSystemColors = value;
    RequestMenuBarRedraw();
}

template <typename Store>
void TFlatMenu::Reattach(Store store) {
    const bool repaint = RepaintOnAttach();
    active_ = false;
    AttachAll(ownerForm_, false, repaint);
    active_ = true;
    store();
    AttachAll(ownerForm_, true, repaint);
}

void TFlatMenu::SetFlatContainers(TFlatContainers value) {
    if (value != flatContainers_ && active_)
        Reattach([&] { flatContainers_ = value; });
    else
        flatContainers_ = value;
}

void TFlatMenu::SetFlatControls(TFlatControls value) {
    if (value != flatControls_ && active_)
        Reattach([&] { flatControls_ = value; });
    else
        flatControls_ = value;
}

void TFlatMenu::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    AttachAll(ownerForm_, value, RepaintOnAttach());
    RequestMenuBarRedraw();
}

// Refusing the role hands it on: from this painter when it serves, and when
// nobody serves, to whoever may take it. Taking subclassing up again waits
// for the next hand-over. The value is stored first, so a painter that
// refuses is never the one chosen.
void TFlatMenu::SetDisableSubclassing(bool value) {
    if (value == disableSubclassing_) return;
    const bool refusedBefore = disableSubclassing_;
    disableSubclassing_ = value;
    TFlatMenuManager* manager = FlatMenuManager();
    if (!manager) return;
    if (manager->ServingPainter() == this)
        manager->HandOver(this);
    else if (!manager->ServingPainter() && !refusedBefore)
        manager->HandOver(nullptr);
}

// ---- palette -------------------------------------------------------------------

void TFlatMenu::DerivePalette(const TCanvas& canvas) { DerivePaletteFor(canvas.BitsPerPixel()); }

void TFlatMenu::DerivePaletteFor(int bitsPerPixel) {
    colours_.FontColor = font_.Color;
    palette_ = veilix::DerivePalette(colours_, bitsPerPixel);
    paletteDirty_ = false;
}

void TFlatMenu::RequestMenuBarRedraw() {
    if (ownerForm_) ownerForm_->DrawMenuBar();
}

bool TFlatMenu::RepaintOnAttach() const { return !(ComponentState() & csLoading); }

// ---- attaching -----------------------------------------------------------------

void TFlatMenu::AttachAll(TComponent* container, bool activate, bool repaint) {
    if (!container) return;
    const std::vector<TComponent*> components = container->Components();
    for (TComponent* component : components) AttachComponent(component, activate, repaint);
}

void TFlatMenu::AttachComponent(TComponent* component, bool activate, bool repaint) {
    if (auto* mainMenu = dynamic_cast<TMainMenu*>(component)) {
        if ((flatControls_ & Bit(TFlatControl::xcMainMenu)) && mainMenu->Tag != kExcludeTag &&
            !mainMenu->Items().empty()) {
            AttachMenu(*mainMenu, activate);
            // The bar is built from the items: have it built anew.
            if (auto* form = dynamic_cast<TForm*>(mainMenu->Owner())) form->DrawMenuBar();
        }
    } else if (auto* popupMenu = dynamic_cast<TPopupMenu*>(component)) {
        if (flatControls_ & Bit(TFlatControl::xcPopupMenu)) AttachMenu(*popupMenu, activate);
    } else if (auto* bar = dynamic_cast<TControlBar*>(component)) {
        if ((flatControls_ & Bit(TFlatControl::xcControlbar)) && !Designing(*this))
            AttachControlBar(*bar, activate, repaint);
    } else if (auto* form = dynamic_cast<TForm*>(component)) {
        AttachAll(form, activate, repaint);
    }
    if (auto* control = dynamic_cast<TWinControl*>(component)) {
        if (!Designing(*this)) StyleWindowedControl(*this, *control, activate, repaint);
        if (OpensForAttaching(*this, *control)) AttachAll(control, activate, repaint);
    }
}

void TFlatMenu::AttachMenu(TMenu& menu, bool activate) {
    for (TMenuItem* item : menu.Items()) {
        menu.OwnerDraw = activate;
        AttachItem(item, activate);
    }
}

void TFlatMenu::AttachControlBar(TControlBar& bar, bool activate, bool repaint) {
    const TBandPaintEvent own(this, &TFlatMenu::PaintBand);
    if (activate) {
        if (!bar.OnBandPaint || overrideOwnerDraw_) bar.OnBandPaint = own;
    } else if (bar.OnBandPaint == own) {
        bar.OnBandPaint = {};
    }
    if (repaint) bar.Repaint();
}

void TFlatMenu::AttachItem(TMenuItem* item, bool activate) {
    const TMenuDrawItemEvent draw(this, &TFlatMenu::DrawMenuItem);
    const TMenuMeasureItemEvent measure(this, &TFlatMenu::MeasureMenuItem);
    if (activate) {
        if (item->Tag != kExcludeTag) {
            if (!item->OnDrawItem || overrideOwnerDraw_) item->OnDrawItem = draw;
            if (!item->OnMeasureItem || overrideOwnerDraw_) item->OnMeasureItem = measure;
        }
    } else {
        // Only our own handlers go: the application's stay.
        if (item->OnDrawItem == draw) item->OnDrawItem = {};
        if (item->OnMeasureItem == measure) item->OnMeasureItem = {};
    }
    for (TMenuItem* sub : item->Items()) AttachItem(sub, activate);
}

void TFlatMenu::PaintBand(TComponent*, TCanvas& canvas, TRect rect) {
    if (paletteDirty_) DerivePalette(canvas);
    canvas.Brush.Color = palette_.BarColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(rect);
}

}  // namespace veilix
