#include "menu_painter/colour_ops.h"
#include "menu_painter/item_painting/item_painter.h"
#include "platform/forms/form.h"
#include "platform/system/screen.h"

namespace veilix {

namespace {

void Polyline(TCanvas& canvas, std::initializer_list<TPoint> points) {
    auto it = points.begin();
    canvas.MoveTo(it->x, it->y);
    for (++it; it != points.end(); ++it) canvas.LineTo(it->x, it->y);
}

void Fill(TCanvas& canvas, const TRect& rect, TColor colour) {
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = colour;
    canvas.FillRect(rect);
}

}  // namespace

void TFlatMenuItemPainter::PaintTopLevelSelection(TCanvas& canvas, const TRect& r, TColor colour,
                                                  bool rightToLeft) const {
    const TMenuPalette& palette = menu_.palette_;
    Fill(canvas, r, palette.SelectFillColor);
    canvas.Pen.Color = palette.SelectFrameColor;
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;

    if (rightToLeft || !palette.HighColor) {
        Polyline(canvas, {{L, B - 1}, {L, T}, {R - 3, T}, {R - 3, B}});
        Fill(canvas, TRect{R - 2, T + 2, R, B}, DarkenColor(colour, 70));
        Fill(canvas, TRect{R - 2, T, R, T + 2}, colour);
        return;
    }

    // Open on the right, where a soft shadow in shades of the bar follows.
    Polyline(canvas, {{L, B - 1}, {L, T}, {R - 8, T}, {R - 8, B}});
    const TColor c = palette.BarColor;
    Fill(canvas, TRect{R - 7, T, R, B}, DarkenColor(c, 10));
    Fill(canvas, TRect{R - 7, T + 3, R - 2, B}, DarkenColor(c, 30));
    Fill(canvas, TRect{R - 7, T + 5, R - 3, B}, DarkenColor(c, 60));
    Fill(canvas, TRect{R - 7, T + 6, R - 5, B}, DarkenColor(c, 100));
    canvas.Pen.Color = c;
    Polyline(canvas, {{R - 5, T + 1}, {R - 1, T + 1}, {R - 1, T + 6}});
    Polyline(canvas, {{R - 3, T + 2}, {R - 2, T + 2}, {R - 2, T + 3}, {R - 3, T + 3}});
    canvas.Pen.Color = DarkenColor(c, 10);
    Polyline(canvas, {{R - 6, T + 3}, {R - 3, T + 3}, {R - 3, T + 6}, {R - 4, T + 6}, {R - 4, T + 3}});
    canvas.Pen.Color = DarkenColor(c, 30);
    Polyline(canvas, {{R - 5, T + 5}, {R - 4, T + 5}, {R - 4, T + 9}});
    canvas.Pen.Color = DarkenColor(c, 40);
    Polyline(canvas, {{R - 6, T + 5}, {R - 6, T + 7}});
}

bool TFlatMenuItemPainter::MouseOverItem(const TRect& rect) const {
    const TForm* form = menu_.ownerForm_;
    if (form == nullptr) return false;
    const TPoint screen = GetCursorPos();
    const TPoint p{screen.x - form->Left(), screen.y - form->Top()};
    return p.x >= rect.Left && p.x <= rect.Right - 1 && p.y >= rect.Top && p.y <= rect.Bottom - 2;
}

}  // namespace veilix
