#include <algorithm>

#include "menu_painter/colour_ops.h"
#include "menu_painter/item_painting/item_painter.h"

namespace veilix {

// One column at a time: steeply lighter across the icon column and a little
// beyond, then slowly, up to 96 % towards white. Right to left, the same ramp
// is mirrored: it starts at rect.Right - 1 and runs leftwards to rect.Left.
void TFlatMenuItemPainter::PaintGradient(TCanvas& canvas, const TRect& rect, bool rightToLeft) const {
    const int steepColumns = menu_.iconWidth_ + 5;
    const TColor base = menu_.palette_.IconColumnColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    int level = 0;
    int paintedLevel = -1;
    const int count = rightToLeft ? rect.Width() : rect.Width() + 1;
    for (int step = 0; step < count; ++step) {
        level = std::min(96, level + ((step > 0 && step < steepColumns) ? 3 : 1));
        if (level != paintedLevel) {
            canvas.Brush.Color = LightenColor(base, level);
            paintedLevel = level;
        }
        const int x = rightToLeft ? rect.Right - 1 - step : rect.Left + step;
        canvas.FillRect(TRect{x, rect.Top, x + 1, rect.Bottom});
    }
}

}  // namespace veilix
