#pragma once
// The font that menus show their text in, for Qt drawing and, converted, for
// a TCanvas handed to owner-drawn items.
#include <QFont>

#include "platform/graphics/canvas.h"

namespace veilix {

// The style's menu font.
QFont MenuFont();

// The same font in the framework's terms: its character height in pixels as
// a negative Height, its style bits, the menu text colour.
TFont ToTFont(const QFont& font);

}  // namespace veilix
