#pragma once
// The fixed system colours the menu painter's tests hold it to: one name for
// each entry the painter's rules read, and the table built from them.
#include "platform/core/colors.h"

namespace veilix::testing {

inline constexpr TColor kInactiveCaption = RGBColor(122, 150, 223);
inline constexpr TColor kMenuText = RGBColor(0, 0, 0);
inline constexpr TColor kHighlight = RGBColor(49, 106, 197);
inline constexpr TColor kFace = RGBColor(236, 233, 216);
inline constexpr TColor kShadow = RGBColor(172, 168, 153);
// Every other entry: a colour none of the rules should ever produce.
inline constexpr TColor kUnusedSystemColour = RGBColor(1, 2, 3);

// The table with the named colours; a suite that reads the menu text colour
// may give its own.
inline SystemColorTable FixedSystemColourTable(TColor menuText = kMenuText) {
    SystemColorTable table{};
    table.fill(kUnusedSystemColour);
    table[clInactiveCaption & 0xFF] = kInactiveCaption;
    table[clMenuText & 0xFF] = menuText;
    table[clHighlight & 0xFF] = kHighlight;
    table[clBtnFace & 0xFF] = kFace;
    table[clBtnShadow & 0xFF] = kShadow;
    return table;
}

}  // namespace veilix::testing
