// The menu painter's colour operations and its derived palette, against a fixed
// system colour table. Expected values are worked out by hand in the comments.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "menu_painter/colour_ops.h"
#include "menu_painter/palette.h"
#include "platform/core/colors.h"
#include "support/colour_text.h"
#include "support/flat_menu_fixture.h"
#include "support/system_colours.h"

namespace veilix {
namespace {

using testing::FixedSystemColours;
using testing::kFace;
using testing::Rgb;

struct OpCase {
    TColor in;
    int arg;
    TColor expected;
};

using ColourOpsTest = FixedSystemColours;

TEST_F(ColourOpsTest, LightenRoundsHalvesToEven) {
    const OpCase cases[] = {
        // 254: 1*50/100 = 0.5 -> 0; 252: 3*50/100 = 1.5 -> 2; 0: 255*50/100 = 127.5 -> 128
        {RGBColor(254, 252, 0), 50, RGBColor(254, 254, 128)},
        // 253: 0.5 -> 0; 1: 63.5 -> 64; 5: 62.5 -> 62
        {RGBColor(253, 1, 5), 25, RGBColor(253, 65, 67)},
        // 0: 25.5 -> 26; 5: 25 exactly
        {RGBColor(0, 5, 0), 10, RGBColor(26, 30, 26)},
        // 0: 76.5 -> 76; 5: 75 exactly
        {RGBColor(0, 5, 0), 30, RGBColor(76, 80, 76)},
        // not halves: 2.55 -> 3, 229.5 -> 230 (odd 229), 252.45 -> 252
        {RGBColor(0, 0, 0), 1, RGBColor(3, 3, 3)},
        {RGBColor(0, 200, 0), 90, RGBColor(230, 250, 230)},
        {RGBColor(0, 0, 0), 99, RGBColor(252, 252, 252)},
    };
    for (const OpCase& c : cases)
        EXPECT_EQ(Rgb(LightenColor(c.in, c.arg)), Rgb(c.expected)) << Rgb(c.in) << " by " << c.arg;
}

TEST_F(ColourOpsTest, LightenLimits) {
    const TColor colour = RGBColor(17, 128, 250);
    EXPECT_EQ(Rgb(LightenColor(colour, 0)), Rgb(colour));
    for (int percent : {100, 101, 255, 1000}) EXPECT_EQ(Rgb(LightenColor(colour, percent)), Rgb(clWhite)) << percent;
    // A system colour is resolved first; by 0 it comes back as its plain RGB.
    EXPECT_EQ(Rgb(LightenColor(clBtnFace, 0)), Rgb(kFace));
    EXPECT_EQ(Rgb(LightenColor(clWhite, 37)), Rgb(clWhite));
}

TEST_F(ColourOpsTest, DarkenSparesGreenTwoAndStaysInRange) {
    const OpCase cases[] = {
        {clBtnFace, 90, RGBColor(146, 145, 126)},  // the face colour's frame
        {clBtnFace, 76, RGBColor(160, 159, 140)},  // and its shadow
        {RGBColor(100, 100, 100), 30, RGBColor(70, 72, 70)},
        {RGBColor(10, 1, 10), 2, RGBColor(8, 1, 8)},              // green 1 stays 1
        {RGBColor(255, 255, 255), 0, RGBColor(255, 255, 255)},    // green 257 limited to 255
        {RGBColor(0, 0, 0), 1, RGBColor(0, 1, 0)},                // green rises even from black
        {RGBColor(5, 0, 3), 10, RGBColor(0, 0, 0)},               // limited at 0
        {RGBColor(250, 250, 250), -10, RGBColor(255, 255, 255)},  // and at 255 the other way
        {RGBColor(40, 50, 60), 300, RGBColor(0, 0, 0)},
    };
    for (const OpCase& c : cases)
        EXPECT_EQ(Rgb(DarkenColor(c.in, c.arg)), Rgb(c.expected)) << Rgb(c.in) << " by " << c.arg;
}

TEST_F(ColourOpsTest, GrayIsTheMeanPlusOffsetUpTo240) {
    const OpCase cases[] = {
        {RGBColor(30, 60, 90), 10, RGBColor(70, 70, 70)},
        {RGBColor(1, 1, 2), 0, RGBColor(1, 1, 1)},  // 4 div 3 = 1
        {clBtnFace, 10, RGBColor(238, 238, 238)},   // 685 div 3 = 228, + 10
        {RGBColor(200, 200, 200), 40, RGBColor(240, 240, 240)},
        {RGBColor(200, 200, 200), 41, RGBColor(240, 240, 240)},
        {RGBColor(255, 255, 255), 0, RGBColor(240, 240, 240)},
    };
    for (const OpCase& c : cases)
        EXPECT_EQ(Rgb(GrayColor(c.in, c.arg)), Rgb(c.expected)) << Rgb(c.in) << " + " << c.arg;
}

TEST_F(ColourOpsTest, ContrastTextIsTheFontColourOnLightBackgrounds) {
    const TColor font = RGBColor(9, 8, 7);
    // (151 + 151) div 2 = 151 > 150; green 201 > 200; the face colour resolved: (236 + 216) div 2 = 226
    for (TColor light : {RGBColor(151, 0, 151), RGBColor(0, 201, 0), clBtnFace})
        EXPECT_EQ(Rgb(ContrastTextColor(light, font)), Rgb(font)) << Rgb(light);
    // The font colour comes back as given, a system reference included.
    EXPECT_EQ(ContrastTextColor(RGBColor(255, 255, 255), clMenuText), clMenuText);

    // (150 + 151) div 2 = 150, green 200: both just dark enough, so lightened by 90:
    // 150 + 94.5 -> 244, 0 + 229.5 -> 230, 151 + 93.6 -> 245
    EXPECT_EQ(Rgb(ContrastTextColor(RGBColor(150, 0, 151), font)), Rgb(RGBColor(244, 230, 245)));
    EXPECT_EQ(Rgb(ContrastTextColor(RGBColor(0, 200, 0), font)), Rgb(RGBColor(230, 250, 230)));
    // A system colour is resolved before the test: the highlight is dark, (49 + 197) div 2 = 123,
    // so 49 + 185.4, 106 + 134.1, 197 + 52.2
    EXPECT_EQ(Rgb(ContrastTextColor(clHighlight, font)), Rgb(RGBColor(234, 240, 249)));
}

// Distinct plain colours for every property, so a colour taken from the wrong
// property shows.
TPaletteProperties OwnColours(bool useDimColor) {
    TPaletteProperties p;
    p.Color = RGBColor(201, 1, 1);
    p.IconBackColor = RGBColor(202, 2, 2);
    p.MenuBarColor = RGBColor(203, 3, 3);
    p.SelectColor = RGBColor(40, 80, 160);
    p.SelectBorderColor = RGBColor(205, 5, 5);
    p.SelectFontColor = RGBColor(206, 6, 6);
    p.DisabledColor = RGBColor(207, 7, 7);
    p.SeparatorColor = RGBColor(208, 8, 8);
    p.CheckedColor = RGBColor(209, 9, 9);
    p.FontColor = RGBColor(210, 10, 10);
    p.UseSystemColors = false;
    p.UseDimColor = useDimColor;
    return p;
}

void ExpectPalette(const TMenuPalette& actual, const TMenuPalette& expected) {
    EXPECT_EQ(Rgb(actual.MenuColor), Rgb(expected.MenuColor)) << "MenuColor";
    EXPECT_EQ(Rgb(actual.IconColumnColor), Rgb(expected.IconColumnColor)) << "IconColumnColor";
    EXPECT_EQ(Rgb(actual.SelectFillColor), Rgb(expected.SelectFillColor)) << "SelectFillColor";
    EXPECT_EQ(Rgb(actual.SelectFrameColor), Rgb(expected.SelectFrameColor)) << "SelectFrameColor";
    EXPECT_EQ(Rgb(actual.SelectTextColor), Rgb(expected.SelectTextColor)) << "SelectTextColor";
    EXPECT_EQ(Rgb(actual.CheckFillColor), Rgb(expected.CheckFillColor)) << "CheckFillColor";
    EXPECT_EQ(Rgb(actual.CheckSelectedFillColor), Rgb(expected.CheckSelectedFillColor)) << "CheckSelectedFillColor";
    EXPECT_EQ(Rgb(actual.CheckFrameColor), Rgb(expected.CheckFrameColor)) << "CheckFrameColor";
    EXPECT_EQ(Rgb(actual.BarColor), Rgb(expected.BarColor)) << "BarColor";
    EXPECT_EQ(Rgb(actual.DisabledTextColor), Rgb(expected.DisabledTextColor)) << "DisabledTextColor";
    EXPECT_EQ(Rgb(actual.SeparatorLineColor), Rgb(expected.SeparatorLineColor)) << "SeparatorLineColor";
    EXPECT_EQ(Rgb(actual.FrameColor), Rgb(expected.FrameColor)) << "FrameColor";
    EXPECT_EQ(Rgb(actual.ShadowColor), Rgb(expected.ShadowColor)) << "ShadowColor";
    EXPECT_EQ(actual.HighColor, expected.HighColor);
    EXPECT_EQ(actual.ControlTint, 16);
    EXPECT_EQ(actual.ControlHotTint, 40);
}

using PaletteTest = FixedSystemColours;

TEST_F(PaletteTest, HighColourIsMoreThan15BitsPerPixel) {
    for (int bits : {1, 4, 8, 15}) EXPECT_FALSE(DerivePalette(TPaletteProperties{}, bits).HighColor) << bits;
    for (int bits : {16, 24, 32}) EXPECT_TRUE(DerivePalette(TPaletteProperties{}, bits).HighColor) << bits;
}

TEST_F(PaletteTest, SystemColoursOnAHighColourSurface) {
    TMenuPalette expected;
    expected.MenuColor = RGBColor(252, 252, 250);        // face lightened by 86: +16.34, +18.92, +33.54
    expected.IconColumnColor = RGBColor(239, 237, 222);  // by 16: +3.04, +3.52, +6.24
    expected.SelectFillColor = RGBColor(189, 207, 236);  // highlight by 68: +140.08, +101.32, +39.44
    expected.SelectFrameColor = clHighlight;
    expected.SelectTextColor = clMenuText;
    expected.CheckFillColor = RGBColor(214, 225, 243);          // by 80: +164.8, +119.2, +46.4
    expected.CheckSelectedFillColor = RGBColor(152, 180, 226);  // by 50: +103, +74.5 -> 74, +29
    expected.CheckFrameColor = clHighlight;
    expected.BarColor = clBtnFace;
    expected.DisabledTextColor = RGBColor(180, 177, 163);   // shadow by 10: +8.3, +8.7, +10.2
    expected.SeparatorLineColor = RGBColor(193, 190, 179);  // by 25: +20.75, +21.75, +25.5 -> 26
    expected.FrameColor = RGBColor(146, 145, 126);
    expected.ShadowColor = RGBColor(160, 159, 140);
    expected.HighColor = true;

    // The system look ignores the colour properties and the dim switch.
    for (bool dim : {false, true}) {
        SCOPED_TRACE(dim ? "dim" : "not dim");
        TPaletteProperties defaults;
        defaults.UseDimColor = dim;
        ExpectPalette(DerivePalette(defaults, 32), expected);
        TPaletteProperties own = OwnColours(dim);
        own.UseSystemColors = true;
        own.FontColor = clMenuText;
        ExpectPalette(DerivePalette(own, 16), expected);
    }
}

TEST_F(PaletteTest, SystemColoursOnA15BitSurface) {
    TMenuPalette expected;
    expected.MenuColor = clWhite;
    expected.IconColumnColor = clBtnFace;
    expected.SelectFillColor = clWhite;
    expected.SelectFrameColor = clHighlight;
    expected.SelectTextColor = RGBColor(210, 10, 10);  // the font colour, not the select font colour
    expected.CheckFillColor = clWhite;
    expected.CheckSelectedFillColor = clWhite;
    expected.CheckFrameColor = clHighlight;
    expected.BarColor = clBtnFace;
    expected.DisabledTextColor = clBtnShadow;
    expected.SeparatorLineColor = clBtnShadow;
    expected.FrameColor = clBtnShadow;
    expected.ShadowColor = clBtnShadow;
    expected.HighColor = false;

    for (bool dim : {false, true}) {
        SCOPED_TRACE(dim ? "dim" : "not dim");
        TPaletteProperties own = OwnColours(dim);
        own.UseSystemColors = true;
        ExpectPalette(DerivePalette(own, 15), expected);
    }
}

TEST_F(PaletteTest, OwnColoursOnAHighColourSurface) {
    const TPaletteProperties own = OwnColours(false);
    TMenuPalette expected;
    expected.MenuColor = own.Color;
    expected.IconColumnColor = own.IconBackColor;
    expected.SelectFillColor = own.SelectColor;
    expected.SelectFrameColor = own.SelectBorderColor;
    expected.SelectTextColor = own.SelectFontColor;
    expected.CheckFillColor = own.SelectColor;
    expected.CheckSelectedFillColor = own.SelectColor;
    expected.CheckFrameColor = own.CheckedColor;
    expected.BarColor = own.MenuBarColor;
    expected.DisabledTextColor = own.DisabledColor;
    expected.SeparatorLineColor = own.SeparatorColor;
    // Frame and shadow come from the system face colour, not from Color.
    expected.FrameColor = RGBColor(146, 145, 126);
    expected.ShadowColor = RGBColor(160, 159, 140);
    expected.HighColor = true;
    ExpectPalette(DerivePalette(own, 24), expected);

    // Dimmed: (40, 80, 160) lightened by 68: +146.2, +119, +64.6; by 80: +172, +140, +76;
    // by 50: +107.5 -> 108, +87.5 -> 88, +47.5 -> 48
    expected.SelectFillColor = RGBColor(186, 199, 225);
    expected.CheckFillColor = RGBColor(212, 220, 236);
    expected.CheckSelectedFillColor = RGBColor(148, 168, 208);
    ExpectPalette(DerivePalette(OwnColours(true), 24), expected);
}

TEST_F(PaletteTest, OwnColoursOnA15BitSurface) {
    TMenuPalette expected;
    for (bool dim : {false, true}) {
        SCOPED_TRACE(dim ? "dim" : "not dim");
        const TPaletteProperties own = OwnColours(dim);
        expected.MenuColor = own.Color;
        expected.IconColumnColor = own.IconBackColor;
        expected.SelectFillColor = own.SelectColor;  // never dimmed here
        expected.SelectFrameColor = own.SelectBorderColor;
        expected.SelectTextColor = own.SelectFontColor;
        expected.CheckFillColor = clWhite;
        expected.CheckSelectedFillColor = clSilver;
        expected.CheckFrameColor = own.CheckedColor;
        expected.BarColor = own.MenuBarColor;
        expected.DisabledTextColor = own.DisabledColor;
        expected.SeparatorLineColor = own.SeparatorColor;
        expected.FrameColor = clBtnShadow;
        expected.ShadowColor = clBtnShadow;
        expected.HighColor = false;
        ExpectPalette(DerivePalette(own, 15), expected);
    }
}

// The same rules on another desktop: the palette follows the table, so a
// differently coloured face gives other tints.
TEST_F(PaletteTest, FollowsTheSystemColourTable) {
    SystemColorTable table = SystemColors();
    table[15] = RGBColor(240, 240, 240);
    SetSystemColors(table);
    const TMenuPalette p = DerivePalette(TPaletteProperties{}, 32);
    EXPECT_EQ(Rgb(p.FrameColor), Rgb(RGBColor(150, 152, 150)));
    EXPECT_EQ(Rgb(p.ShadowColor), Rgb(RGBColor(164, 166, 164)));
    EXPECT_EQ(Rgb(p.MenuColor), Rgb(RGBColor(253, 253, 253)));        // 240 + 12.9
    EXPECT_EQ(Rgb(p.IconColumnColor), Rgb(RGBColor(242, 242, 242)));  // 240 + 2.4
}

}  // namespace
}  // namespace veilix
