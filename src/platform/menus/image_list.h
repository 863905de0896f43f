#pragma once
// TImageList: a list of pictures of one size that menus draw their item
// images from. Pictures go in and come out as copies: nothing is shared.
#include <vector>

#include "platform/core/component.h"
#include "platform/graphics/bitmap.h"

namespace veilix {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner) : TComponent(owner) {}

    // The size of pictures added from now on.
    int Width = 16;
    int Height = 16;

    int Count() const { return int(pictures_.size()); }
    // Adds a Width x Height copy of the bitmap's top-left part (white where the
    // bitmap is smaller) and returns its index; -1 for an empty bitmap.
    int Add(const TBitmap& bitmap);
    // Copies the picture at index into out; an index out of range leaves out
    // as it was.
    void GetBitmap(int index, TBitmap& out) const;

private:
    std::vector<TBitmap> pictures_;
};

}  // namespace veilix
