#pragma once
// Resolving colours: plain RGB values stay as they are, references to system
// colours (0xFF000000 + index) are looked up in a table that tests can fix.
#include <array>

#include "platform/core/types.h"

namespace veilix {

inline constexpr int kSystemColorCount = 31;
inline constexpr TColor clInactiveCaption = 0xFF000003;
inline constexpr TColor clMenuText = 0xFF000007;
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnShadow = 0xFF000010;
using SystemColorTable = std::array<TColor, kSystemColorCount>;

bool IsSystemColor(TColor color);
TColor ColorToRGB(TColor color);

// The table in use: by default taken from the style's palette on first use.
const SystemColorTable& SystemColors();
void SetSystemColors(const SystemColorTable& table);
void ResetSystemColors();

}  // namespace veilix
