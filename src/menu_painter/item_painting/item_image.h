#pragma once
// The picture a menu item shows: from its menu's image list when it names one,
// else its own bitmap when that is not empty.
#include "platform/system/screen.h"

namespace veilix {

class TBitmap;
class TMenuItem;

// The size the item's image takes, 0 x 0 without one. An index into the
// menu's list counts whether or not the list holds a picture there.
TSize ItemImageSize(const TMenuItem& item);

// Copies the item's image into out; false (out left empty) without one.
bool FetchItemImage(const TMenuItem& item, TBitmap& out);

}  // namespace veilix
