#include "menu_painter/item_painting/item_painter.h"

namespace veilix {

namespace {

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

TRect Inset(const TRect& r, int by) { return TRect{r.Left + by, r.Top + by, r.Right - by, r.Bottom - by}; }

}  // namespace

void TFlatMenuItemPainter::PaintCheckMark(TCanvas& canvas, const TRect& m, const TItemPaintState& state) const {
    const TMenuPalette& palette = menu_.palette_;
    const bool plainCheckBox = !state.Radio && !state.HasImage;
    if (state.Enabled) {
        canvas.Pen.Color = plainCheckBox ? palette.CheckFrameColor : palette.SelectFrameColor;
        canvas.Brush.Color = state.Selected ? palette.CheckSelectedFillColor : palette.CheckFillColor;
    } else {
        canvas.Pen.Color = palette.DisabledTextColor;
    }
    canvas.Brush.Style = TBrushStyle::bsSolid;

    if (!state.Checked) return;  // an unchecked radio item shows nothing
    if (state.Radio) {
        if (state.HasImage) {
            canvas.RoundRect(m, 6, 6);
        } else {
            canvas.Ellipse(m);
            canvas.Brush.Color = canvas.Pen.Color;
            canvas.Ellipse(Inset(m, 2));
        }
        return;
    }
    canvas.Rectangle(m);
    if (state.HasImage) return;  // the icon sits in the frame

    canvas.Pen.Color = state.Enabled ? clBlack : palette.DisabledTextColor;
    Line(canvas, m.Left + 1, m.Top + 5, m.Left + 4, m.Bottom - 2);
    Line(canvas, m.Left + 2, m.Top + 5, m.Left + 4, m.Bottom - 3);
    Line(canvas, m.Left + 2, m.Top + 4, m.Left + 5, m.Bottom - 3);
    Line(canvas, m.Left + 4, m.Bottom - 3, m.Right + 2, m.Top - 1);
    Line(canvas, m.Left + 4, m.Bottom - 2, m.Right - 2, m.Top + 3);
}

}  // namespace veilix
