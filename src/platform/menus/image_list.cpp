#include "platform/menus/image_list.h"

#include <algorithm>

namespace veilix {

int TImageList::Add(const TBitmap& bitmap) {
    if (bitmap.Empty() || Width <= 0 || Height <= 0) return -1;
    TBitmap picture(Width, Height);
    const int w = std::min(Width, bitmap.Width());
    const int h = std::min(Height, bitmap.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) picture.SetPixel(x, y, bitmap.Pixel(x, y));
    pictures_.push_back(std::move(picture));
    return Count() - 1;
}

void TImageList::GetBitmap(int index, TBitmap& out) const {
    if (index < 0 || index >= Count()) return;
    out = pictures_[std::size_t(index)];
}

}  // namespace veilix
