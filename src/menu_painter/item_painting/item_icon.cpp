#include "menu_painter/colour_ops.h"
#include "menu_painter/item_painting/image_effects.h"
#include "menu_painter/item_painting/item_painter.h"
#include "platform/graphics/bitmap.h"

namespace veilix {

namespace {

TPoint IconPlace(const TRect& column, int imageWidth, int iconWidth, const TItemPaintState& state) {
    TPoint at{0, column.Top + 3};
    if (state.TopLevel)
        at.x = state.RightToLeft ? column.Right - imageWidth - 5 : column.Left + 1;
    else if (imageWidth < iconWidth)
        at.x = column.Left + (iconWidth - imageWidth) / 2 - 1;
    else
        at.x = state.RightToLeft ? column.Right - imageWidth - 2 : column.Left + 2;
    return at;
}

}  // namespace

void TFlatMenuItemPainter::PaintItemIcon(TCanvas& canvas, TBitmap& image, const TRect& iconColumn,
                                         const TItemPaintState& state) const {
    TPoint at = IconPlace(iconColumn, image.Width(), menu_.iconWidth_, state);
    const bool liftable = state.Highlighted && state.Enabled;
    // A highlighted icon rises towards the pointer, casting a shadow.
    if (liftable && state.TopLevel) {
        at.y -= 2;
        at.x -= 1;
    }
    if (liftable && !state.TopLevel && !state.Checked) {
        at.y -= 1;
        at.x -= 1;
    }
    if (!state.Highlighted && state.Enabled && !state.Checked && menu_.palette_.HighColor)
        LightenImage(image, menu_.dimLevel_);
    if (!state.Enabled) {
        GrayImage(image, menu_.grayLevel_);
        LightenImage(image, 40);
    }
    if (liftable && !state.Checked)
        PaintSilhouette(canvas, image, at.x + 2, at.y + 2, DarkenColor(menu_.palette_.SelectFillColor, 50));
    canvas.Draw(at.x, at.y, image, true, TransparentColorOf(image));
}

}  // namespace veilix
