#include "platform/forms/image.h"

#include <cstdint>

#include "platform/graphics/canvas.h"
#include "platform/graphics/stretch_copy.h"

namespace veilix {

TImage::TImage(TComponent* owner) : TControl(owner) {
    picture_.OnChange = TMethod<>(this, &TImage::PictureChanged);
    // The framework's default size of a new image control.
    SetWidth(105);
    SetHeight(105);
}

void TImage::SetStretch(bool value) {
    if (value == stretch_) return;
    stretch_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    ApplyAutoSize();
}

void TImage::PictureChanged() {
    ApplyAutoSize();
    Invalidate();
}

void TImage::ApplyAutoSize() {
    if (!autoSize_ || !picture_.Bitmap()) return;
    SetWidth(picture_.Width());
    SetHeight(picture_.Height());
}

TRect TImage::PictureRect() const {
    if (stretch_) return BoundsRect();
    return veilix::BoundsRect(Left(), Top(), picture_.Width(), picture_.Height());
}

void TImage::Paint(TCanvas& canvas, const TRect& clip) const {
    const TBitmap* bitmap = picture_.Bitmap();
    if (!bitmap || bitmap->Empty() || !HasArea()) return;
    const TRect bounds = BoundsRect();
    const TRect area{std::max(clip.Left, bounds.Left), std::max(clip.Top, bounds.Top),
                     std::min(clip.Right, bounds.Right), std::min(clip.Bottom, bounds.Bottom)};
    canvas.StretchDrawClipped(PictureRect(), *bitmap, area);
}

bool TImage::Opaque() const {
    const TBitmap* bitmap = picture_.Bitmap();
    return stretch_ && bitmap && !bitmap->Empty();
}

std::optional<TColor> TImage::PixelAt(TPoint local) const {
    const TBitmap* bitmap = picture_.Bitmap();
    if (!bitmap || bitmap->Empty() || !HasArea()) return std::nullopt;
    if (local.x < 0 || local.y < 0 || local.x >= Width() || local.y >= Height()) return std::nullopt;
    if (!stretch_) {
        if (local.x >= bitmap->Width() || local.y >= bitmap->Height()) return std::nullopt;
        return bitmap->Pixel(local.x, local.y);
    }
    // Same mapping as the stretched copy.
    const int sx = StretchSourceIndex(local.x, bitmap->Width(), Width());
    const int sy = StretchSourceIndex(local.y, bitmap->Height(), Height());
    return bitmap->Pixel(sx, sy);
}

}  // namespace veilix
