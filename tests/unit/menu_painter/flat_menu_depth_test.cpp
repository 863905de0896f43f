// The palette an item is painted with follows the depth of the screen the
// menu is on, though every surface the painter draws on is 32-bit: a stored
// form leaves the palette dirty, and the first item painted derives it anew.
#include <gtest/gtest.h>

#include <QImage>

#include "menu_painter/colour_ops.h"
#include "support/colour_text.h"
#include "support/flat_menu_fixture.h"
#include "support/system_colours.h"

namespace veilix::testing {
namespace {

const TRect kItem{10, 5, 160, 27};

using FlatMenuDepthTest = FlatMenuItemTest;

TEST_F(FlatMenuDepthTest, ADirtyPaletteIsDerivedForTheScreensDepth) {
    const struct {
        int screenBits;
        bool highColour;
    } cases[] = {{8, false}, {15, false}, {16, true}, {24, true}};
    const TColor gradientStart = LightenColor(LightenColor(kFace, 16), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screenBits << " bits per pixel");
        // As a stored form does: the colour setters leave the palette dirty.
        painter_->SetColor(clBtnFace);
        ASSERT_TRUE(painter_->PaletteDirty());

        // The menu window's surface, 32-bit on a screen of another depth.
        QImage surface(200, 40, QImage::Format_RGB32);
        surface.fill(Qt::black);
        TCanvas target(surface, c.screenBits);
        painter_->PaintMenuItem(*AddItem("Add Circle"), target, kItem, false);

        EXPECT_FALSE(painter_->PaletteDirty());
        EXPECT_EQ(painter_->Palette().HighColor, c.highColour);
        // Low colour: a plain icon column in the face colour beside a white
        // background; high colour: both on the gradient.
        const TColor iconColumn = target.Pixel(kItem.Left, kItem.Top);
        const TColor lastColumn = target.Pixel(kItem.Right - 1, kItem.Top);
        EXPECT_EQ(Rgb(iconColumn), Rgb(c.highColour ? gradientStart : kFace));
        EXPECT_EQ(Rgb(lastColumn), Rgb(c.highColour ? LightenColor(LightenColor(kFace, 16), 96) : clWhite));
        EXPECT_EQ(Rgb(painter_->Palette().FrameColor), Rgb(c.highColour ? DarkenColor(kFace, 90) : clBtnShadow));
    }
}

}  // namespace
}  // namespace veilix::testing
