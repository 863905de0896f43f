#pragma once
// Where the parts of a menu item go inside its work rectangle: the icon column,
// the box of the check or radio mark and the text rectangle.
#include "platform/core/types.h"

namespace veilix {

struct TItemLayout {
    TRect IconColumn;
    TRect MarkBox;
    TRect TextRect;
};

struct TItemShape {
    int IconWidth = 24;
    int ImageWidth = 0;  // 0 without an item image
    bool HasImage = false;
    bool TopLevel = false;
    bool RightToLeft = false;
};

TItemLayout LayOutItem(const TRect& work, const TItemShape& shape);

}  // namespace veilix
