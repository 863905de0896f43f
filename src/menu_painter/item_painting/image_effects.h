#pragma once
// Effects on item images: lightening and greying every pixel in place, and the
// one-colour silhouette that the highlighted icon casts.
#include "platform/core/types.h"

namespace veilix {

class TBitmap;
class TCanvas;

// Every pixel becomes LightenColor(pixel, percent).
void LightenImage(TBitmap& image, int percent);
// Every pixel becomes GrayColor(pixel, offset).
void GrayImage(TBitmap& image, int offset);
// Sets each canvas pixel at (x, y) + p where the image pixel at p differs from
// the image's bottom-left pixel, its transparent colour.
void PaintSilhouette(TCanvas& canvas, const TBitmap& image, int x, int y, TColor color);

// The colour an item image leaves out when drawn; black for an empty image.
TColor TransparentColorOf(const TBitmap& image);

}  // namespace veilix
