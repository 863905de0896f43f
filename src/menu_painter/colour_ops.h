#pragma once
// The colour operations the menu painter makes its palette and its icon
// effects with. Each takes plain RGB or a system-colour reference (resolved
// through the system colour table on every call) and returns plain RGB, except
// ContrastTextColor's font colour, which is handed back as given.
#include "platform/core/types.h"

namespace veilix {

// Moves every channel towards 255 by percent of the way, rounding halves to
// even; percent is taken as 0 to 100, so 0 keeps the colour and 100 gives white.
TColor LightenColor(TColor color, int percent);

// Red and blue lose amount, green loses two less; each channel stays in 0..255.
TColor DarkenColor(TColor color, int amount);

// The grey of the channels' mean plus offset, no lighter than 240.
TColor GrayColor(TColor color, int offset);

// fontColor on a light background, else a near-white tint of the background.
TColor ContrastTextColor(TColor color, TColor fontColor);

}  // namespace veilix
