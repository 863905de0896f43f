#pragma once
// The painter's derived palette: the thirteen colours item and frame painting
// use, made from the painter's colour properties or from the system colours.
#include "platform/core/colors.h"
#include "platform/core/types.h"

namespace veilix {

// The painter's properties that feed the palette, with their creation defaults.
// The component holds one of these and marks its palette dirty when a colour
// changes.
struct TPaletteProperties {
    TColor Color = clBtnFace;
    TColor IconBackColor = clBtnFace;
    TColor MenuBarColor = clBtnFace;
    TColor SelectColor = clHighlight;
    TColor SelectBorderColor = clHighlight;
    TColor SelectFontColor = clMenuText;
    TColor DisabledColor = clInactiveCaption;
    TColor SeparatorColor = clBtnFace;
    TColor CheckedColor = clHighlight;
    bool UseSystemColors = true;
    bool UseDimColor = false;
    TColor FontColor = clMenuText;  // the colour of the painter's Font
};

inline constexpr int kControlTint = 16;
inline constexpr int kControlHotTint = 40;

// Colours may stay system-colour references: they are resolved when painted.
struct TMenuPalette {
    TColor MenuColor = clBlack;
    TColor IconColumnColor = clBlack;
    TColor SelectFillColor = clBlack;
    TColor SelectFrameColor = clBlack;
    TColor SelectTextColor = clBlack;
    TColor CheckFillColor = clBlack;
    TColor CheckSelectedFillColor = clBlack;
    TColor CheckFrameColor = clBlack;
    TColor BarColor = clBlack;
    TColor DisabledTextColor = clBlack;
    TColor SeparatorLineColor = clBlack;
    TColor FrameColor = clBlack;
    TColor ShadowColor = clBlack;
    bool HighColor = false;  // derived for a surface of 16 bits per pixel or more
    int ControlTint = kControlTint;
    int ControlHotTint = kControlHotTint;
    friend bool operator==(const TMenuPalette&, const TMenuPalette&) = default;
};

// The palette for a surface of bitsPerPixel (the owner's canvas). Clearing the
// dirty mark is the caller's part: it owns the mark.
TMenuPalette DerivePalette(const TPaletteProperties& properties, int bitsPerPixel);

}  // namespace veilix
