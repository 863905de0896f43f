#include "menu_painter/item_painting/image_effects.h"

#include "menu_painter/colour_ops.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"

namespace veilix {

namespace {

// Icons are mostly runs of one colour, so a colour is worked out again only
// when the pixel differs from the one before.
template <typename Recolour>
void RecolourImage(TBitmap& image, Recolour recolour) {
    bool havePrevious = false;
    TColor previousIn = 0;
    TColor previousOut = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const TColor pixel = image.Pixel(x, y);
            if (!havePrevious || pixel != previousIn) {
                previousIn = pixel;
                previousOut = recolour(pixel);
                havePrevious = true;
            }
            image.SetPixel(x, y, previousOut);
        }
    }
}

}  // namespace

void LightenImage(TBitmap& image, int percent) {
    RecolourImage(image, [percent](TColor c) { return LightenColor(c, percent); });
}

void GrayImage(TBitmap& image, int offset) {
    RecolourImage(image, [offset](TColor c) { return GrayColor(c, offset); });
}

void PaintSilhouette(TCanvas& canvas, const TBitmap& image, int x, int y, TColor color) {
    const TColor transparent = TransparentColorOf(image);
    for (int row = 0; row < image.Height(); ++row)
        for (int column = 0; column < image.Width(); ++column)
            if (image.Pixel(column, row) != transparent) canvas.SetPixel(x + column, y + row, color);
}

TColor TransparentColorOf(const TBitmap& image) {
    if (image.Width() <= 0 || image.Height() <= 0) return clBlack;
    return image.Pixel(0, image.Height() - 1);
}

}  // namespace veilix
