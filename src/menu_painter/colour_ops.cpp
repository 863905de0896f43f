#include "menu_painter/colour_ops.h"

#include <algorithm>
#include <cstdint>

#include "platform/core/colors.h"

namespace veilix {

namespace {
// Wide enough that no amount or offset a caller passes can overflow.
std::uint8_t ToChannel(std::int64_t value) { return std::uint8_t(std::clamp<std::int64_t>(value, 0, 255)); }

// x + (255 - x) * percent / 100, halves to even, in integers so that no
// fraction is ever misrounded.
std::uint8_t LightenChannel(int x, int percent) {
    const int scaled = (255 - x) * percent;
    int step = scaled / 100;
    const int rest = scaled % 100;
    if (rest > 50 || (rest == 50 && step % 2 == 1)) ++step;
    return ToChannel(x + step);
}
}  // namespace

TColor LightenColor(TColor color, int percent) {
    const TColor rgb = ColorToRGB(color);
    // A negative percentage would darken; callers only ever lighten.
    const int p = std::clamp(percent, 0, 100);
    return RGBColor(LightenChannel(RedOf(rgb), p), LightenChannel(GreenOf(rgb), p), LightenChannel(BlueOf(rgb), p));
}

TColor DarkenColor(TColor color, int amount) {
    const TColor rgb = ColorToRGB(color);
    // Green loses two less than red and blue; the frame and shadow greys are made so.
    const std::int64_t a = amount;
    return RGBColor(ToChannel(RedOf(rgb) - a), ToChannel(GreenOf(rgb) - a + 2), ToChannel(BlueOf(rgb) - a));
}

TColor GrayColor(TColor color, int offset) {
    const TColor rgb = ColorToRGB(color);
    const std::int64_t mean = (RedOf(rgb) + GreenOf(rgb) + BlueOf(rgb)) / 3;
    const std::uint8_t v = ToChannel(std::min<std::int64_t>(mean + offset, 240));
    return RGBColor(v, v, v);
}

TColor ContrastTextColor(TColor color, TColor fontColor) {
    const TColor rgb = ColorToRGB(color);
    if ((RedOf(rgb) + BlueOf(rgb)) / 2 > 150 || GreenOf(rgb) > 200) return fontColor;
    return LightenColor(rgb, 90);
}

}  // namespace veilix
