#include "menu_painter/palette.h"

#include "menu_painter/colour_ops.h"

namespace veilix {

TMenuPalette DerivePalette(const TPaletteProperties& properties, int bitsPerPixel) {
    TMenuPalette p;
    // Fewer colours cannot show the light tints, so those surfaces get plain ones.
    p.HighColor = bitsPerPixel > 15;
    p.ControlTint = kControlTint;
    p.ControlHotTint = kControlHotTint;

    p.MenuColor = properties.Color;
    p.IconColumnColor = properties.IconBackColor;
    if (p.HighColor) {
        if (properties.UseDimColor) {
            p.SelectFillColor = LightenColor(properties.SelectColor, 68);
            p.CheckFillColor = LightenColor(properties.SelectColor, 80);
            p.CheckSelectedFillColor = LightenColor(properties.SelectColor, 50);
        } else {
            p.SelectFillColor = properties.SelectColor;
            p.CheckFillColor = properties.SelectColor;
            p.CheckSelectedFillColor = properties.SelectColor;
        }
        p.FrameColor = DarkenColor(clBtnFace, 90);
        p.ShadowColor = DarkenColor(clBtnFace, 76);
    } else {
        p.SelectFillColor = properties.SelectColor;
        p.CheckFillColor = clWhite;
        p.CheckSelectedFillColor = clSilver;
        p.FrameColor = clBtnShadow;
        p.ShadowColor = clBtnShadow;
    }
    p.SelectFrameColor = properties.SelectBorderColor;
    p.SelectTextColor = properties.SelectFontColor;
    p.BarColor = properties.MenuBarColor;
    p.DisabledTextColor = properties.DisabledColor;
    p.CheckFrameColor = properties.CheckedColor;
    p.SeparatorLineColor = properties.SeparatorColor;

    // The system look replaces every colour but the frame and shadow above.
    if (properties.UseSystemColors) {
        p.SelectTextColor = properties.FontColor;
        p.SelectFrameColor = clHighlight;
        p.BarColor = clBtnFace;
        p.CheckFrameColor = clHighlight;
        if (p.HighColor) {
            p.MenuColor = LightenColor(clBtnFace, 86);
            p.IconColumnColor = LightenColor(clBtnFace, 16);
            p.SelectFillColor = LightenColor(clHighlight, 68);
            p.DisabledTextColor = LightenColor(clBtnShadow, 10);
            p.SeparatorLineColor = LightenColor(clBtnShadow, 25);
            p.CheckFillColor = LightenColor(clHighlight, 80);
            p.CheckSelectedFillColor = LightenColor(clHighlight, 50);
        } else {
            p.MenuColor = clWhite;
            p.IconColumnColor = clBtnFace;
            p.SelectFillColor = clWhite;
            p.DisabledTextColor = clBtnShadow;
            p.SeparatorLineColor = clBtnShadow;
            p.CheckFillColor = clWhite;
            p.CheckSelectedFillColor = clWhite;
        }
    }
    return p;
}

}  // namespace veilix
