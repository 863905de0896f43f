#pragma once
// The program icon: a black card with rounded corners and a lime opening,
// described once on a 32-unit grid. The window icon of the running program,
// the installed PNGs and the installed SVG are all drawn from this.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace veilix {

// The square sizes the icon is drawn at, for the window and the icon theme.
inline constexpr std::array<int, 7> kProgramIconSizes{16, 24, 32, 48, 64, 128, 256};

// Rows from the top, 4 bytes a pixel: red, green, blue, alpha (not
// premultiplied).
struct IconRaster {
    int size = 0;
    std::vector<std::uint8_t> rgba;
};

// The icon at size x size pixels, each pixel the share of its square that
// each part of the design covers.
IconRaster RasterizeProgramIcon(int size);

// The same design as an SVG document.
std::string ProgramIconSvg();

}  // namespace veilix
