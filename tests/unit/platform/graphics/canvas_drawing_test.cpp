#include "platform/graphics/canvas.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/colors.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/fonts.h"
#include "support/qt_application.h"

namespace veilix {
namespace {

// Pure colours survive 15- and 16-bit surfaces unchanged.
constexpr TColor kPaper = clWhite;
constexpr TColor kInk = RGBColor(255, 0, 0);
constexpr TColor kFill = RGBColor(0, 0, 255);

// The surface as rows of characters: '#' ink, 'o' fill, '.' paper.
std::vector<std::string> Picture(const TCanvas& canvas) {
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Surface().height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.Surface().width(); ++x) {
            const TColor c = canvas.Pixel(x, y);
            row += c == kInk ? '#' : c == kFill ? 'o' : c == kPaper ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

class CanvasTest : public ::testing::Test {
protected:
    explicit CanvasTest(int width = 12, int height = 7) : image_(width, height, QImage::Format_RGB32), canvas_(image_) {
        testing::EnsureQtApplication();
        RegisterBundledFonts();
        image_.fill(Qt::white);
        canvas_.Pen.Color = kInk;
        canvas_.Brush.Color = kFill;
        canvas_.Font.Color = kInk;
    }

    QImage image_;
    TCanvas canvas_;
};

// ---- fills, outlines, shapes ----------------------------------------------

using CanvasShapes = CanvasTest;

TEST_F(CanvasShapes, RectangleOutlinesItsOutermostPixelsWithoutRightAndBottomEdge) {
    canvas_.Rectangle(TRect{0, 0, 10, 5});
    EXPECT_EQ(Picture(canvas_), (std::vector<std::string>{
                                    "##########..",
                                    "#oooooooo#..",
                                    "#oooooooo#..",
                                    "#oooooooo#..",
                                    "##########..",
                                    "............",
                                    "............",
                                }));
}

TEST_F(CanvasShapes, HollowBrushLeavesTheInsideAlone) {
    canvas_.Brush.Style = TBrushStyle::bsClear;
    canvas_.Rectangle(TRect{2, 1, 6, 5});
    EXPECT_EQ(Picture(canvas_), (std::vector<std::string>{
                                    "............",
                                    "..####......",
                                    "..#..#......",
                                    "..#..#......",
                                    "..####......",
                                    "............",
                                    "............",
                                }));
}

TEST_F(CanvasShapes, FillRectExcludesRightAndBottomAndStopsAtTheSurface) {
    canvas_.FillRect(TRect{9, -3, 14, 2});
    canvas_.FillRect(TRect{1, 3, 3, 5});
    EXPECT_EQ(Picture(canvas_), (std::vector<std::string>{
                                    ".........ooo",
                                    ".........ooo",
                                    "............",
                                    ".oo.........",
                                    ".oo.........",
                                    "............",
                                    "............",
                                }));
}

TEST_F(CanvasShapes, SystemColoursAreResolvedWhenDrawing) {
    SystemColorTable table{};
    table[clBtnFace & 0xFF] = kFill;
    table[clMenuText & 0xFF] = kInk;
    SetSystemColors(table);
    canvas_.Brush.Color = clBtnFace;
    canvas_.Pen.Color = clMenuText;
    canvas_.Rectangle(TRect{0, 0, 3, 3});
    canvas_.SetPixel(5, 5, clMenuText);
    ResetSystemColors();
    EXPECT_EQ(Picture(canvas_)[1].substr(0, 3), "#o#");
    EXPECT_EQ(canvas_.Pixel(5, 5), kInk);
}

// The shapes the menu marks use: a radio circle, its dot, an odd circle.
TEST(CanvasEllipse, SmallCirclesHaveExactPixels) {
    const auto ellipse = [](int size) {
        QImage image(size, size, QImage::Format_RGB32);
        image.fill(Qt::white);
        TCanvas canvas(image);
        canvas.Pen.Color = kInk;
        canvas.Brush.Color = kFill;
        canvas.Ellipse(TRect{0, 0, size, size});
        return Picture(canvas);
    };
    EXPECT_EQ(ellipse(10), (std::vector<std::string>{
                               "...####...",
                               "..#oooo#..",
                               ".#oooooo#.",
                               "#oooooooo#",
                               "#oooooooo#",
                               "#oooooooo#",
                               "#oooooooo#",
                               ".#oooooo#.",
                               "..#oooo#..",
                               "...####...",
                           }));
    EXPECT_EQ(ellipse(6), (std::vector<std::string>{
                              "..##..",
                              ".#oo#.",
                              "#oooo#",
                              "#oooo#",
                              ".#oo#.",
                              "..##..",
                          }));
    EXPECT_EQ(ellipse(7), (std::vector<std::string>{
                              "..###..",
                              ".#ooo#.",
                              "#ooooo#",
                              "#ooooo#",
                              "#ooooo#",
                              ".#ooo#.",
                              "..###..",
                          }));
}

TEST_F(CanvasShapes, RoundRectCornersFollowTheirEllipse) {
    canvas_.RoundRect(TRect{0, 0, 12, 7}, 6, 6);
    EXPECT_EQ(Picture(canvas_), (std::vector<std::string>{
                                    "..########..",
                                    ".#oooooooo#.",
                                    "#oooooooooo#",
                                    "#oooooooooo#",
                                    "#oooooooooo#",
                                    ".#oooooooo#.",
                                    "..########..",
                                }));
}

// Drawn (ink or fill) pixels of a shape alone on a clean surface.
struct ShapeCase {
    const char* name;
    TRect rect;
    int cornerW, cornerH;  // -1: an ellipse
};

void PrintTo(const ShapeCase& c, std::ostream* os) { *os << c.name; }

class ShapeProperties : public CanvasTest, public ::testing::WithParamInterface<ShapeCase> {
protected:
    ShapeProperties() : CanvasTest(40, 30) {}
    void Draw() {
        const ShapeCase& c = GetParam();
        if (c.cornerW < 0)
            canvas_.Ellipse(c.rect);
        else
            canvas_.RoundRect(c.rect, c.cornerW, c.cornerH);
    }
    bool Drawn(int x, int y) const { return canvas_.Pixel(x, y) == kInk || canvas_.Pixel(x, y) == kFill; }
};

TEST_P(ShapeProperties, StaysInItsRectTouchesEachSideAndHasAClosedOnePixelOutline) {
    Draw();
    const TRect r = GetParam().rect;
    bool top = false, bottom = false, left = false, right = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const TColor c = canvas_.Pixel(x, y);
            if (!r.Contains(TPoint{x, y})) {
                EXPECT_EQ(c, kPaper) << "outside at " << x << "," << y;
                continue;
            }
            EXPECT_EQ(Drawn(x, y), Drawn(r.Left + r.Right - 1 - x, y)) << "mirror across at " << x << "," << y;
            EXPECT_EQ(Drawn(x, y), Drawn(x, r.Top + r.Bottom - 1 - y)) << "mirror up at " << x << "," << y;
            if (c == kPaper) continue;
            top |= y == r.Top;
            bottom |= y == r.Bottom - 1;
            left |= x == r.Left;
            right |= x == r.Right - 1;
            const bool allNeighboursDrawn = Drawn(x - 1, y) && Drawn(x + 1, y) && Drawn(x, y - 1) && Drawn(x, y + 1);
            // Fill only where it is enclosed; ink only on the border.
            EXPECT_EQ(c == kFill, allNeighboursDrawn) << "at " << x << "," << y;
        }
    EXPECT_TRUE(top && bottom && left && right);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeProperties,
    ::testing::Values(ShapeCase{"Circle10", {3, 2, 13, 12}, -1, 0}, ShapeCase{"Wide", {1, 1, 31, 9}, -1, 0},
                      ShapeCase{"TallAndNarrow", {5, 1, 7, 25}, -1, 0}, ShapeCase{"Odd", {2, 2, 13, 7}, -1, 0},
                      ShapeCase{"OnePixel", {4, 4, 5, 5}, -1, 0}, ShapeCase{"RoundCorner6", {0, 0, 20, 12}, 6, 6},
                      ShapeCase{"RoundFlatCorner", {2, 3, 35, 28}, 15, 4},
                      ShapeCase{"RoundCornerTooBig", {2, 3, 12, 9}, 50, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CanvasShapes, RoundRectWithoutCornersIsARectangleAndWithWholeCornersAnEllipse) {
    QImage other(image_.size(), image_.format());
    TCanvas reference(other);
    reference.Pen = canvas_.Pen;
    reference.Brush = canvas_.Brush;
    const TRect r{1, 1, 11, 7};
    for (const bool rounded : {false, true}) {
        image_.fill(Qt::white);
        other.fill(Qt::white);
        if (rounded) {
            canvas_.RoundRect(r, 10, 6);
            reference.Ellipse(r);
        } else {
            canvas_.RoundRect(r, 0, 4);
            reference.Rectangle(r);
        }
        EXPECT_EQ(image_, other) << "rounded " << rounded;
    }
}

TEST_F(CanvasShapes, ReversedCornersDrawTheSameShape) {
    QImage other(image_.size(), image_.format());
    other.fill(Qt::white);
    TCanvas reference(other);
    reference.Pen = canvas_.Pen;
    reference.Brush = canvas_.Brush;
    canvas_.Ellipse(TRect{9, 6, 1, 0});
    reference.Ellipse(TRect{1, 0, 9, 6});
    EXPECT_EQ(image_, other);
}

// ---- lines -------------------------------------------------------------------

using CanvasLines = CanvasTest;

TEST_F(CanvasLines, EndPointIsLeftOutAndPenMovesThere) {
    canvas_.MoveTo(1, 1);
    canvas_.LineTo(6, 1);
    canvas_.LineTo(6, 4);
    canvas_.LineTo(3, 1);
    canvas_.LineTo(3, 1);  // no length: nothing
    EXPECT_EQ(canvas_.PenPos(), (TPoint{3, 1}));
    EXPECT_EQ(Picture(canvas_), (std::vector<std::string>{
                                    "............",
                                    ".######.....",
                                    "....#.#.....",
                                    ".....##.....",
                                    "......#.....",
                                    "............",
                                    "............",
                                }));
}

struct LineCase {
    TPoint from, to;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << "(" << c.from.x << "," << c.from.y << ")-(" << c.to.x << "," << c.to.y << ")";
}

class LineProperties : public CanvasTest, public ::testing::WithParamInterface<LineCase> {
protected:
    LineProperties() : CanvasTest(30, 30) {}
};

TEST_P(LineProperties, OnePixelPerStepAlongTheLongerAxisNearTheIdealLine) {
    const LineCase c = GetParam();
    canvas_.MoveTo(c.from.x, c.from.y);
    canvas_.LineTo(c.to.x, c.to.y);
    const int dx = c.to.x - c.from.x, dy = c.to.y - c.from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    int count = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            if (canvas_.Pixel(x, y) != kInk) continue;
            ++count;
            // Distance from the ideal line, in units of the longer axis.
            const double t = std::abs(dx) >= std::abs(dy) ? double(x - c.from.x) / dx : double(y - c.from.y) / dy;
            const double off = std::abs(dx) >= std::abs(dy) ? y - (c.from.y + t * dy) : x - (c.from.x + t * dx);
            EXPECT_GE(t, 0.0) << x << "," << y;
            EXPECT_LT(t, 1.0) << x << "," << y;
            EXPECT_LE(std::abs(off), 0.5) << x << "," << y;
        }
    EXPECT_EQ(count, steps);
    EXPECT_EQ(canvas_.Pixel(c.from.x, c.from.y), kInk);
    EXPECT_EQ(canvas_.Pixel(c.to.x, c.to.y), kPaper);
}

INSTANTIATE_TEST_SUITE_P(Lines, LineProperties,
                         ::testing::Values(LineCase{{2, 3}, {20, 3}}, LineCase{{20, 3}, {2, 3}},
                                           LineCase{{4, 25}, {4, 2}}, LineCase{{1, 1}, {9, 9}},
                                           LineCase{{9, 1}, {1, 9}}, LineCase{{2, 2}, {27, 9}},
                                           LineCase{{27, 9}, {2, 2}}, LineCase{{5, 28}, {9, 1}},
                                           LineCase{{3, 3}, {4, 28}}));

TEST_F(CanvasLines, LinesRunOffTheSurfaceWithoutHarm) {
    canvas_.MoveTo(-5, 3);
    canvas_.LineTo(40, 3);
    EXPECT_EQ(Picture(canvas_)[3], "############");
}

// ---- images --------------------------------------------------------------------

using CanvasImages = CanvasTest;

TEST_F(CanvasImages, DrawLeavesOutTheTransparentColourAndClipsAtTheEdges) {
    TBitmap bitmap(3, 2);
    bitmap.SetPixel(0, 0, kInk);
    bitmap.SetPixel(1, 0, clLime);
    bitmap.SetPixel(2, 0, kFill);
    bitmap.SetPixel(0, 1, clLime);
    bitmap.SetPixel(1, 1, kInk);
    bitmap.SetPixel(2, 1, kInk);
    canvas_.Draw(1, 1, bitmap, true, clLime);
    canvas_.Draw(10, 5, bitmap);
    EXPECT_EQ(Picture(canvas_), (std::vector<std::string>{
                                    "............",
                                    ".#.o........",
                                    "..##........",
                                    "............",
                                    "............",
                                    "..........#?",
                                    "..........?#",
                                }));
    EXPECT_EQ(canvas_.Pixel(11, 5), clLime);
    EXPECT_EQ(canvas_.Pixel(10, 6), clLime);
}

TEST_F(CanvasImages, CopyRectIsUnscaledAndLimitedByBothRects) {
    QImage sourceImage(4, 3, QImage::Format_RGB32);
    sourceImage.fill(Qt::red);
    sourceImage.setPixel(0, 0, qRgb(0, 0, 255));
    TCanvas source(sourceImage);
    canvas_.CopyRect(TRect{1, 1, 10, 6}, source, TRect{0, 0, 3, 2});  // the source rect sets the size
    canvas_.CopyRect(TRect{8, 4, 10, 5}, source, TRect{0, 0, 4, 3});  // the destination clips
    canvas_.CopyRect(TRect{0, 5, 4, 7}, source, TRect{-1, 0, 2, 2});  // only what the source has
    EXPECT_EQ(Picture(canvas_), (std::vector<std::string>{
                                    "............",
                                    ".o##........",
                                    ".###........",
                                    "............",
                                    "........o#..",
                                    ".o#.........",
                                    ".##.........",
                                }));
}

TEST_F(CanvasImages, CopyRectWithinOneSurfaceReadsBeforeItWrites) {
    canvas_.MoveTo(0, 0);
    canvas_.LineTo(4, 0);
    canvas_.SetPixel(0, 0, kFill);
    canvas_.CopyRect(TRect{1, 0, 12, 1}, canvas_, TRect{0, 0, 11, 1});
    EXPECT_EQ(Picture(canvas_)[0], "oo###.......");
}

// ---- text ----------------------------------------------------------------------

class CanvasText : public CanvasTest {
protected:
    CanvasText() : CanvasTest(220, 40) { canvas_.BackgroundMode = TBackgroundMode::bkTransparent; }

    // A fresh surface with what draw puts on it, in the fixture's font and colours.
    template <typename Draw>
    QImage Render(Draw draw) {
        image_.fill(Qt::white);
        draw(canvas_);
        return image_.copy();
    }
    QImage RenderText(const std::string& text, TRect rect, unsigned flags) {
        return Render([&](TCanvas& c) { c.DrawText(text, rect, flags); });
    }
    QImage RenderOut(std::vector<std::pair<TPoint, std::string>> pieces) {
        return Render([&](TCanvas& c) {
            for (const auto& [at, text] : pieces) c.TextOut(at.x, at.y, text);
        });
    }
    static QRect InkBounds(const QImage& image) {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(255, 0, 0)) bounds |= QRect(x, y, 1, 1);
        return bounds;
    }
};

TEST_F(CanvasText, EveryTextPixelHasTheFontColour) {
    for (const TFontStyles style : {TFontStyles(0), fsBold, TFontStyles(fsItalic | fsUnderline)}) {
        canvas_.Font.Style = style;
        const QImage drawn = RenderOut({{{2, 2}, "Add Rectangle"}});
        int ink = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb p = drawn.pixel(x, y);
                ASSERT_TRUE(p == qRgb(255, 0, 0) || p == qRgb(255, 255, 255)) << "style " << int(style);
                ink += p == qRgb(255, 0, 0);
            }
        EXPECT_GT(ink, 30) << "style " << int(style);
    }
}

TEST_F(CanvasText, OpaqueBackgroundFillsExactlyTheTextCellTransparentNothing) {
    const std::string text = "Add Circle";
    const QRect cell(7, 4, canvas_.TextWidth(text), canvas_.TextHeight(text));
    canvas_.BackgroundMode = TBackgroundMode::bkOpaque;
    const QImage opaque = RenderOut({{{7, 4}, text}});
    canvas_.BackgroundMode = TBackgroundMode::bkTransparent;
    const QImage transparent = RenderOut({{{7, 4}, text}});
    for (int y = 0; y < opaque.height(); ++y)
        for (int x = 0; x < opaque.width(); ++x) {
            const bool ink = transparent.pixel(x, y) == qRgb(255, 0, 0);
            EXPECT_TRUE(ink || transparent.pixel(x, y) == qRgb(255, 255, 255)) << x << "," << y;
            const QRgb expected = ink ? qRgb(255, 0, 0) : cell.contains(x, y) ? qRgb(0, 0, 255) : qRgb(255, 255, 255);
            EXPECT_EQ(opaque.pixel(x, y), expected) << x << "," << y;
        }
}

TEST_F(CanvasText, TextWidthAndHeightAreTheDrawnExtent) {
    for (const std::string text : {"Add Circle", "Add &Rectangle", "W", "iiii", "&Close"}) {
        const QRect ink = InkBounds(RenderOut({{{5, 3}, text}}));
        const int width = canvas_.TextWidth(text);
        EXPECT_GE(ink.left(), 5) << text;
        EXPECT_LT(ink.right(), 5 + width) << text;
        EXPECT_GE(ink.right(), 5 + width - 3) << text;  // only the last glyph's side bearing is left
        EXPECT_GE(ink.top(), 3) << text;
        EXPECT_LT(ink.bottom(), 3 + canvas_.TextHeight(text)) << text;
    }
    // TextOut shows "&" as it is, and the width counts it.
    EXPECT_GT(canvas_.TextWidth("a&b"), canvas_.TextWidth("ab"));
}

struct MarkerCase {
    const char* marked;
    const char* shown;
    const char* beforeUnderlined;  // nullptr: nothing underlined
};

void PrintTo(const MarkerCase& c, std::ostream* os) { *os << '"' << c.marked << '"'; }

class AccessMarkers : public CanvasText, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(AccessMarkers, MarkerIsHiddenAndTheNextCharacterUnderlined) {
    const MarkerCase c = GetParam();
    const TRect rect{4, 4, 200, 30};
    const QImage marked = RenderText(c.marked, rect, DT_LEFT | DT_SINGLELINE);
    const QImage plain = RenderText(c.shown, rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    if (!c.beforeUnderlined) {
        EXPECT_EQ(marked, plain);
        return;
    }
    const std::string before = c.beforeUnderlined;
    const std::string upToMarked = std::string(c.shown).substr(0, before.size() + 1);
    const int left = rect.Left + canvas_.TextWidth(before), right = rect.Left + canvas_.TextWidth(upToMarked);
    std::set<int> underlineRows;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x) {
            if (marked.pixel(x, y) == plain.pixel(x, y)) continue;
            EXPECT_EQ(marked.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
            EXPECT_GE(x, left) << "row " << y;
            EXPECT_LT(x, right) << "row " << y;
            underlineRows.insert(y);
        }
    ASSERT_FALSE(underlineRows.empty());
    for (const int y : underlineRows) {
        EXPECT_GT(y, InkBounds(plain).top() + 4) << "below the letters' tops";
        EXPECT_LT(y, rect.Top + canvas_.TextHeight(c.shown));
        for (int x = left; x < right; ++x) EXPECT_EQ(marked.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Captions, AccessMarkers,
                         ::testing::Values(MarkerCase{"Add &Rectangle", "Add Rectangle", "Add "},
                                           MarkerCase{"&Close", "Close", ""},
                                           MarkerCase{"Add &Ellipse", "Add Ellipse", "Add "},
                                           MarkerCase{"&&&W", "&W", "&"}, MarkerCase{"A&&B", "A&B", nullptr},
                                           MarkerCase{"Close&", "Close", nullptr},
                                           MarkerCase{"Add Circle", "Add Circle", nullptr}));

TEST_F(CanvasText, TabsStopEveryEightAverageCharactersFromTheTextStart) {
    canvas_.Font.Name = "DejaVu Sans Mono";  // every character is an average one
    const TRect rect{6, 2, 215, 30};
    const unsigned flags = DT_EXPANDTABS | DT_SINGLELINE | DT_NOPREFIX;
    const int b = InkBounds(RenderOut({{{0, 2}, "B"}})).left();
    const int stop = InkBounds(RenderText("\tB", rect, flags)).left() - b - rect.Left;
    EXPECT_EQ(stop, 8 * canvas_.TextWidth("1"));
    EXPECT_EQ(RenderText("A\tB", rect, flags), RenderOut({{{6, 2}, "A"}, {{6 + stop, 2}, "B"}}));
    EXPECT_EQ(RenderText("WWW\tB", rect, flags), RenderOut({{{6, 2}, "WWW"}, {{6 + stop, 2}, "B"}}));
    EXPECT_EQ(RenderText("A\t\tB", rect, flags), RenderOut({{{6, 2}, "A"}, {{6 + 2 * stop, 2}, "B"}}));
}

TEST_F(CanvasText, AlignmentPlacesTheTextCell) {
    const std::string text = "Add Circle";
    const TRect rect{10, 5, 200, 35};
    const int w = canvas_.TextWidth(text), h = canvas_.TextHeight(text);
    const struct {
        unsigned flags;
        TPoint at;
    } cases[] = {
        {DT_LEFT, {10, 5}},
        {DT_RIGHT, {200 - w, 5}},
        {DT_CENTER, {10 + (190 - w) / 2, 5}},
        {DT_VCENTER | DT_SINGLELINE, {10, 5 + (30 - h) / 2}},
        {DT_RIGHT | DT_VCENTER | DT_SINGLELINE, {200 - w, 5 + (30 - h) / 2}},
        {DT_VCENTER, {10, 5}},  // centring needs a single line
        {DT_RIGHT | DT_RTLREADING, {200 - w, 5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RenderText(text, rect, c.flags), RenderOut({{c.at, text}})) << "flags " << c.flags;
}

TEST_F(CanvasText, LinesBreakWithoutSingleLine) {
    const int h = canvas_.TextHeight("A");
    EXPECT_EQ(RenderText("Add\r\nCircle", TRect{3, 1, 200, 40}, DT_LEFT),
              RenderOut({{{3, 1}, "Add"}, {{3, 1 + h}, "Circle"}}));
}

TEST_F(CanvasText, DrawTextStaysInsideItsRect) {
    const std::string text = "Add &Rectangle";
    const QImage whole = RenderText(text, TRect{4, 4, 200, 30}, DT_LEFT);
    const TRect narrow{4, 4, 30, 12};  // cuts letters across and the underline below
    const QRect inside(4, 4, 26, 8);
    const QImage cut = RenderText(text, narrow, DT_LEFT);
    canvas_.BackgroundMode = TBackgroundMode::bkOpaque;
    const QImage cutOpaque = RenderText(text, narrow, DT_LEFT);
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x) {
            const bool in = inside.contains(x, y);
            EXPECT_EQ(cut.pixel(x, y), in ? whole.pixel(x, y) : qRgb(255, 255, 255)) << x << "," << y;
            const QRgb opaque = whole.pixel(x, y) == qRgb(255, 0, 0) ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
            EXPECT_EQ(cutOpaque.pixel(x, y), in ? opaque : qRgb(255, 255, 255)) << x << "," << y;
        }
}

// ---- fonts ---------------------------------------------------------------------

using CanvasFonts = CanvasTest;

TEST_F(CanvasFonts, NegativeHeightIsTheCharacterHeightPositiveTheCell) {
    // This face's cell is taller than its characters, so the two readings differ.
    canvas_.Font.Name = "DejaVu Sans";
    for (const int height : {11, 13, 16, 24}) {
        canvas_.Font.Height = height;
        const int cell = canvas_.TextHeight("W");
        EXPECT_LE(cell, height);
        EXPECT_GE(cell, height - 2);
        canvas_.Font.Height = -height;
        EXPECT_GT(canvas_.TextHeight("W"), height);
    }
}

TEST_F(CanvasFonts, BundledTahomaIsFoundByName) {
    if (!QFile::exists("/usr/share/wine/fonts/tahoma.ttf")) GTEST_SKIP() << "no bundled Tahoma here";
    EXPECT_EQ(QFontInfo(QFont("Tahoma")).family(), "Tahoma");
    QFont bold("Tahoma");
    bold.setBold(true);
    EXPECT_EQ(QFontInfo(bold).family(), "Tahoma");
}

TEST_F(CanvasFonts, SystemMenuFontSetsNameHeightAndStyleOnly) {
    TFont font;
    font.Color = kInk;
    font.Charset = 2;
    font.Style = fsStrikeOut;
    ASSERT_TRUE(GetSystemMenuFont(font));
    EXPECT_FALSE(font.Name.empty());
    EXPECT_LT(font.Height, 0);
    EXPECT_EQ(font.Style & fsStrikeOut, 0);
    EXPECT_EQ(font.Color, kInk);
    EXPECT_EQ(font.Charset, 2);
}

struct FormatCase {
    QImage::Format format;
    int bits;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.bits << " bits"; }

class CanvasFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CanvasFormats, BitsPerPixelFollowsTheSurfaceAndDrawingWorksOnIt) {
    QImage image(8, 6, GetParam().format);
    if (image.depth() <= 8) image.setColorTable({qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255)});
    image.fill(0);
    TCanvas canvas(image);
    EXPECT_EQ(canvas.BitsPerPixel(), GetParam().bits);
    if (GetParam().bits == 1) return;  // two colours cannot hold ink and fill apart
    canvas.Brush.Color = kPaper;
    canvas.FillRect(TRect{0, 0, 8, 6});
    canvas.Pen.Color = kInk;
    canvas.Brush.Color = kFill;
    canvas.Rectangle(TRect{1, 1, 6, 5});
    canvas.MoveTo(0, 5);
    canvas.LineTo(8, 5);
    EXPECT_EQ(Picture(canvas), (std::vector<std::string>{
                                   "........",
                                   ".#####..",
                                   ".#ooo#..",
                                   ".#ooo#..",
                                   ".#####..",
                                   "########",
                               }));
}

INSTANTIATE_TEST_SUITE_P(Surfaces, CanvasFormats,
                         ::testing::Values(FormatCase{QImage::Format_RGB32, 32}, FormatCase{QImage::Format_ARGB32, 32},
                                           FormatCase{QImage::Format_RGB888, 24}, FormatCase{QImage::Format_RGB16, 16},
                                           FormatCase{QImage::Format_RGB555, 15},
                                           FormatCase{QImage::Format_Indexed8, 8}, FormatCase{QImage::Format_Mono, 1}));

}  // namespace
}  // namespace veilix
