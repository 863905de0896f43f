#include <algorithm>
#include <string>

#include "menu_painter/flat_menu.h"
#include "menu_painter/item_painting/item_image.h"
#include "menu_painter/item_painting/item_painter.h"
#include "menu_painter/item_painting/rounding.h"
#include "platform/menus/menu.h"

namespace veilix {

namespace {

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

int TextWidthOf(const TCanvas& canvas, const std::string& text) {
    int width = canvas.TextWidth(text) + 5;
    // "&" only marks the access letter; one of them is taken off, as the
    // marked text is drawn without it.
    if (text.find('&') != std::string::npos) width -= canvas.TextWidth("&");
    return width;
}

}  // namespace

std::string ShortCutDisplayText(const TMenuItem& item) { return ShortCutToText(item.ShortCut); }

void TFlatMenu::MeasureMenuItem(TComponent* sender, TCanvas& canvas, int& width, int& height) {
    if (auto* item = dynamic_cast<TMenuItem*>(sender))
        TFlatMenuItemPainter(*this).Measure(*item, canvas, width, height);
}

void TFlatMenuItemPainter::Measure(const TMenuItem& item, TCanvas& canvas, int& width, int& height) const {
    canvas.Font = menu_.font_;
    const bool separator = item.IsLine();
    const bool topLevel = item.IsTopLevel();

    std::string text = separator ? std::string() : item.Caption;
    const std::string shortcut = ShortCutDisplayText(item);
    // "WWW" keeps the shortcut apart from the caption.
    if (!IsBlank(shortcut)) text += shortcut + "WWW";

    int w = TextWidthOf(canvas, text);
    if (!topLevel && item.Count() > 0) w += 6;  // room for the sub-menu arrow

    TSize image = ItemImageSize(item);
    if (!topLevel) image.cx = std::max(image.cx, menu_.iconWidth_);
    width = std::max(width, w + image.cx);

    if (separator) {
        height = 4;
        return;
    }
    const int textHeight = canvas.TextHeight(text);
    int h = textHeight + RoundHalfEven(0.75 * textHeight);
    h = std::max(h, image.cy + 6);
    height = std::max(height, h);
}

}  // namespace veilix
