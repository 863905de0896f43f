#pragma once
// Fonts the program draws with: a bundled Tahoma where the system has one
// outside the usual font paths, and the desktop's menu font.
#include "platform/graphics/canvas.h"

namespace veilix {

// Adds /usr/share/wine/fonts/tahoma.ttf and tahomabd.ttf, where they exist,
// to the fonts on offer, so that "Tahoma" names them. Needs Qt's application
// object; a second call does nothing. The canvas calls it before it makes its
// first font; call it sooner only for Qt fonts made elsewhere.
void RegisterBundledFonts();

// The desktop's menu font: Name, Height (negative: pixel height) and Style
// set, the rest of font left as it was. False when no font is known.
bool GetSystemMenuFont(TFont& font);

}  // namespace veilix
