#pragma once
// TCanvas: drawing on an off-screen image with the framework's rules (right and
// bottom edges excluded). It grows with what the program draws.
#include "platform/types.h"

class QImage;

namespace veilix {

class TBitmap;

struct TBrush {
    TColor Color = clWhite;
};

class TCanvas {
public:
    explicit TCanvas(QImage& target) : target_(target) {}

    TBrush Brush;

    void FillRect(const TRect& rect);
    // The whole bitmap stretched into rect, nearest neighbour; only the part
    // inside clip is drawn.
    void StretchDrawClipped(const TRect& rect, const TBitmap& bitmap, const TRect& clip);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

private:
    QImage& target_;
};

}  // namespace veilix
