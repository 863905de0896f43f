#pragma once
// TFlatMenu: a non-visual component that gives the menus of the form owning it
// a flat, two-tone look. Active, it attaches its item handlers to the menus
// its owner owns; the items are then measured and painted here.
#include <cstdint>
#include <string>

#include "menu_painter/control_styling/control_kinds.h"
#include "menu_painter/palette.h"
#include "platform/core/component.h"
#include "platform/core/types.h"
#include "platform/graphics/canvas.h"

namespace veilix {

class TForm;
class TMenu;
class TMenuItem;
class TControlBar;

// A main menu, item, control or form with this Tag is left alone.
inline constexpr std::intptr_t kExcludeTag = 999;

// Frame requests posted to the application's hidden window after an item of a
// popup menu is painted.
inline constexpr unsigned MsgFrameByItem = 0xBCB3;
inline constexpr unsigned MsgFrameByWindow = 0xBCB4;

class TFlatMenu : public TComponent {
public:
    // Fails with the framework's invalid-cast error when owner is not a form.
    explicit TFlatMenu(TComponent* owner);
    ~TFlatMenu() override;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Published properties, in their declared order.
    std::uint8_t DimLevel() const { return dimLevel_; }
    void SetDimLevel(std::uint8_t value) { dimLevel_ = value; }
    std::uint8_t GrayLevel() const { return grayLevel_; }
    void SetGrayLevel(std::uint8_t value) { grayLevel_ = value; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& value);
    TColor Color() const { return colours_.Color; }
    void SetColor(TColor value);
    bool DrawMenuBar() const { return drawMenuBar_; }
    void SetDrawMenuBar(bool value) { drawMenuBar_ = value; }
    TColor IconBackColor() const { return colours_.IconBackColor; }
    void SetIconBackColor(TColor value);
    TColor MenuBarColor() const { return colours_.MenuBarColor; }
    void SetMenuBarColor(TColor value);
    TColor SelectColor() const { return colours_.SelectColor; }
    void SetSelectColor(TColor value);
    TColor SelectBorderColor() const { return colours_.SelectBorderColor; }
    void SetSelectBorderColor(TColor value);
    TColor SelectFontColor() const { return colours_.SelectFontColor; }
    void SetSelectFontColor(TColor value);
    TColor DisabledColor() const { return colours_.DisabledColor; }
    void SetDisabledColor(TColor value);
    TColor SeparatorColor() const { return colours_.SeparatorColor; }
    void SetSeparatorColor(TColor value);
    TColor CheckedColor() const { return colours_.CheckedColor; }
    void SetCheckedColor(TColor value);
    std::int32_t IconWidth() const { return iconWidth_; }
    void SetIconWidth(std::int32_t value) { iconWidth_ = value; }
    bool DrawSelect() const { return drawSelect_; }
    void SetDrawSelect(bool value) { drawSelect_ = value; }
    bool UseSystemColors() const { return colours_.UseSystemColors; }
    void SetUseSystemColors(bool value);
    bool UseDimColor() const { return colours_.UseDimColor; }
    void SetUseDimColor(bool value) { colours_.UseDimColor = value; }
    bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
    void SetOverrideOwnerDraw(bool value) { overrideOwnerDraw_ = value; }
    const std::string& ExtraControl() const { return extraControl_; }
    void SetExtraControl(const std::string& value) { extraControl_ = value; }
    const std::string& ExtraContainer() const { return extraContainer_; }
    void SetExtraContainer(const std::string& value) { extraContainer_ = value; }
    bool Gradient() const { return gradient_; }
    void SetGradient(bool value) { gradient_ = value; }
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool value) { flatMenu_ = value; }
    bool AutoDetect() const { return autoDetect_; }
    void SetAutoDetect(bool value) { autoDetect_ = value; }
    TFlatContainers FlatContainers() const { return flatContainers_; }
    void SetFlatContainers(TFlatContainers value);
    TFlatControls FlatControls() const { return flatControls_; }
    void SetFlatControls(TFlatControls value);
    bool Active() const { return active_; }
    void SetActive(bool value);
    bool DisableSubclassing() const { return disableSubclassing_; }
    void SetDisableSubclassing(bool value);

    // Inner state.
    TForm* OwnerForm() const { return ownerForm_; }
    const TMenuPalette& Palette() const { return palette_; }
    bool PaletteDirty() const { return paletteDirty_; }
    bool FramePainting() const { return framePainting_; }
    void SetFramePainting(bool value) { framePainting_ = value; }
    bool IsNT() const { return isNT_; }
    bool IsV51() const { return isV51_; }

    // The palette for the canvas's device; clears PaletteDirty.
    void DerivePalette(const TCanvas& canvas);

    void AttachAll(TComponent* container, bool activate, bool repaint);
    void AttachComponent(TComponent* component, bool activate, bool repaint);
    void AttachItem(TMenuItem* item, bool activate);

    // The handlers attaching installs (sender: the menu item or control bar).
    void MeasureMenuItem(TComponent* sender, TCanvas& canvas, int& width, int& height);
    void DrawMenuItem(TComponent* sender, TCanvas& canvas, TRect rect, bool selected);
    void PaintBand(TComponent* sender, TCanvas& canvas, TRect rect);

    // Item painting, composed off-screen and copied to canvas in one go.
    void PaintMenuItem(TMenuItem& item, TCanvas& canvas, TRect rect, bool selected);

private:
    friend class TFlatMenuItemPainter;

    void DerivePaletteFor(int bitsPerPixel);
    // Stores one of the colour properties and marks the palette for deriving.
    void SetPaletteColour(TColor TPaletteProperties::*field, TColor value);
    void RequestMenuBarRedraw();
    // Repainting attached controls is pointless while the owner is still
    // being built.
    bool RepaintOnAttach() const;
    void AttachMenu(TMenu& menu, bool activate);
    void AttachControlBar(TControlBar& bar, bool activate, bool repaint);
    // Detaches with the current sets, stores the new one, attaches again.
    template <typename Store>
    void Reattach(Store store);

    std::uint8_t dimLevel_ = 30;
    std::uint8_t grayLevel_ = 10;
    TFont font_;
    TPaletteProperties colours_;
    bool drawMenuBar_ = false;
    std::int32_t iconWidth_ = 24;
    bool drawSelect_ = true;
    bool overrideOwnerDraw_ = false;
    std::string extraControl_;
    std::string extraContainer_;
    bool gradient_ = false;
    bool flatMenu_ = false;
    bool autoDetect_ = false;
    TFlatContainers flatContainers_ = kAllFlatContainers;
    TFlatControls flatControls_ = kAllFlatControls;
    bool active_ = false;
    bool disableSubclassing_ = false;

    TForm* ownerForm_ = nullptr;
    TMenuPalette palette_;
    bool paletteDirty_ = false;
    bool framePainting_ = false;
    bool isNT_ = true;
    bool isV51_ = false;
};

}  // namespace veilix
