#include "menu_painter/item_painting/item_image.h"

#include "platform/graphics/bitmap.h"
#include "platform/menus/image_list.h"
#include "platform/menus/menu.h"

namespace veilix {

namespace {

const TImageList* ListOf(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    if (menu == nullptr || menu->Images == nullptr || item.ImageIndex == -1) return nullptr;
    return menu->Images;
}

}  // namespace

TSize ItemImageSize(const TMenuItem& item) {
    if (const TImageList* list = ListOf(item)) return {list->Width, list->Height};
    const TBitmap& own = item.Bitmap();
    if (own.Width() > 0) return {own.Width(), own.Height()};
    return {};
}

bool FetchItemImage(const TMenuItem& item, TBitmap& out) {
    out = TBitmap();
    if (const TImageList* list = ListOf(item)) {
        list->GetBitmap(item.ImageIndex, out);
    } else if (item.Bitmap().Width() > 0) {
        out = item.Bitmap();
    }
    return out.Width() > 0 && out.Height() > 0;
}

}  // namespace veilix
