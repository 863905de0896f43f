#include "menu_painter/colour_ops.h"
#include "menu_painter/item_painting/item_painter.h"

namespace veilix {

namespace {

// The default item's text is embossed by darker copies laid under it, each
// darkened from what already lies where the copy starts.
struct TEmbossPass {
    int dLeft, dTop, dRight;
    int amount;
};
constexpr TEmbossPass kDefaultItemPasses[] = {
    {1, 0, 1, 30},
    {1, 2, 1, 30},
    {0, 1, 0, 40},
    {1, 1, 1, 60},
};

}  // namespace

void TFlatMenuItemPainter::PaintItemText(TCanvas& canvas, const std::string& text, const std::string& shortcut,
                                         const TRect& rect, const TItemPaintState& state) const {
    const TMenuPalette& palette = menu_.palette_;
    canvas.Font = menu_.font_;
    TColor colour = menu_.font_.Color;
    if (state.Selected) colour = palette.SelectTextColor;
    if (!state.Enabled) colour = palette.DisabledTextColor;
    if (state.TopLevel && state.Selected && menu_.colours_.UseSystemColors)
        colour = ContrastTextColor(palette.IconColumnColor, menu_.font_.Color);
    canvas.BackgroundMode = TBackgroundMode::bkTransparent;

    const unsigned align = state.RightToLeft ? (DT_RIGHT | DT_RTLREADING) : DT_LEFT;
    const unsigned flags = align | DT_SINGLELINE | DT_EXPANDTABS;

    if (state.Default && state.Enabled) {
        for (const TEmbossPass& pass : kDefaultItemPasses) {
            const TRect moved{rect.Left + pass.dLeft, rect.Top + pass.dTop, rect.Right + pass.dRight, rect.Bottom};
            canvas.Font.Color = DarkenColor(canvas.Pixel(moved.Left, moved.Top), pass.amount);
            canvas.DrawText(text, moved, flags);
        }
    }
    canvas.Font.Color = colour;
    canvas.DrawText(text, rect, flags);

    if (shortcut.empty()) return;
    if (state.RightToLeft)
        canvas.DrawText(shortcut + " ", TRect{rect.Left + 10, rect.Top, rect.Right, rect.Bottom},
                        DT_LEFT | DT_SINGLELINE);
    else
        canvas.DrawText(shortcut + " ", TRect{rect.Left, rect.Top, rect.Right - 10, rect.Bottom},
                        DT_RIGHT | DT_SINGLELINE);
}

}  // namespace veilix
