#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "icon/icon_design.h"

namespace veilix {
namespace {

struct Rgba {
    int r, g, b, a;
};

Rgba PixelAt(const IconRaster& raster, int x, int y) {
    const auto* p = &raster.rgba[(std::size_t(y) * std::size_t(raster.size) + std::size_t(x)) * 4];
    return {p[0], p[1], p[2], p[3]};
}

// Each size is the 32-unit design scaled: a black card with corners rounded
// to 4 units, and the lime opening from (8, 10) to (24, 22).
TEST(ProgramIcon, EverySizeIsTheDesignScaled) {
    const double openingShare = 16.0 * 12.0 / (32.0 * 32.0);
    const double cardShare = 1.0 - 4 * (16.0 - std::numbers::pi * 4.0) / (32.0 * 32.0);
    for (const int size : kProgramIconSizes) {
        const IconRaster raster = RasterizeProgramIcon(size);
        ASSERT_EQ(raster.size, size);
        ASSERT_EQ(raster.rgba.size(), std::size_t(size) * std::size_t(size) * 4);
        const double unit = size / 32.0;
        const auto at = [&](double ux, double uy) { return PixelAt(raster, int(ux * unit), int(uy * unit)); };

        const Rgba opening = at(16, 16), card = at(4, 16), corner = PixelAt(raster, 0, 0);
        EXPECT_EQ(opening.r + opening.b, 0) << size;
        EXPECT_EQ(opening.g, 255) << size;
        EXPECT_EQ(opening.a, 255) << size;
        EXPECT_EQ(card.r + card.g + card.b, 0) << size;
        EXPECT_EQ(card.a, 255) << size;
        EXPECT_LT(corner.a, 128) << size << ": the rounded corner lets the desktop through";

        // Green and alpha add up to the opening's and the card's areas: the
        // edges are shaded by how much of each pixel they cover, not snapped.
        double green = 0, alpha = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                green += PixelAt(raster, x, y).g / 255.0;
                alpha += PixelAt(raster, x, y).a / 255.0;
            }
        const double pixels = double(size) * size;
        EXPECT_NEAR(green / pixels, openingShare, 1.0 / pixels) << size;
        EXPECT_NEAR(alpha / pixels, cardShare, 0.002) << size;
    }
}

// At 24 pixels the opening's edges fall between pixels (10 units is 7.5
// pixels): the row through them is half lime.
TEST(ProgramIcon, EdgesBetweenPixelsAreShadedByCover) {
    const IconRaster raster = RasterizeProgramIcon(24);
    EXPECT_EQ(PixelAt(raster, 12, 7).g, 128);
    EXPECT_EQ(PixelAt(raster, 12, 16).g, 128);
    EXPECT_EQ(PixelAt(raster, 12, 8).g, 255);
    EXPECT_EQ(PixelAt(raster, 12, 6).g, 0);
}

}  // namespace
}  // namespace veilix
