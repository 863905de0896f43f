#pragma once
// The Qt font behind a TFont, made once per distinct font: menus measure and
// paint the same few fonts over and over.
#include <QFont>
#include <QFontMetrics>

#include "platform/graphics/canvas.h"

namespace veilix {

struct CachedFont {
    QFont font;
    QFontMetrics metrics;
    int tabWidth;  // tab stops: every eight average characters
};

// Needs Qt's application object. The reference stays valid until the next
// call with another font.
const CachedFont& FontFor(const TFont& font);

// After the fonts on offer change, names may resolve differently.
void ClearFontCache();

}  // namespace veilix
