#include <gtest/gtest.h>

#include "support/template_pixels.h"
#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix::test {
namespace {

TEST(RectangleTemplate, IsALimeSquareInATwoPixelBlackFrame) {
    const TemplatePicture p = DecodePng(RectangleTemplatePng());
    ASSERT_EQ(p.width, 100);
    ASSERT_EQ(p.height, 100);
    ASSERT_EQ(p.rgb.size(), 100u * 100u * 3u);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inside = x >= 2 && x <= 97 && y >= 2 && y <= 97;
            ASSERT_EQ(PixelAt(p, x, y), inside ? kLime : kBlack) << "at " << x << "," << y;
        }
    }
    EXPECT_EQ(CountColours(p), (ColourCounts{.lime = 9216, .black = 784, .shade = 0, .other = 0}));
    EXPECT_EQ(PixelAt(p, 0, 0), kBlack);
    EXPECT_EQ(PixelAt(p, 50, 50), kLime);
}

}  // namespace
}  // namespace veilix::test
