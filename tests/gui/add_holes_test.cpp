// Adding holes from the menu: one hole per command, its template pixel for
// pixel on the sheet, its lime see-through and click-through, later holes on
// top of earlier ones.
#include "stencil_gui.h"

namespace veilix::gui {
namespace {

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

struct AddCase {
    const char* name;
    std::vector<Key> keys;
    TImage* TForm2::*templateImage;
    int width;
};

class AddHoleGui : public StencilGui, public ::testing::WithParamInterface<AddCase> {};

TEST_P(AddHoleGui, CommandCutsOneHoleShowingItsTemplate) {
    const AddCase& c = GetParam();
    TImage* hole = AddHole(c.keys);
    ASSERT_NE(hole, nullptr);
    const TBitmap& templ = *((*Form2).*c.templateImage)->Picture().Bitmap();

    EXPECT_EQ(hole->Owner(), Form1);
    EXPECT_EQ(hole->Parent(), Form1);
    EXPECT_EQ(hole->Left(), 0);
    EXPECT_EQ(hole->Top(), 50);
    EXPECT_EQ(hole->Width(), c.width);
    EXPECT_EQ(hole->Height(), 100);
    EXPECT_TRUE(hole->Stretch());
    EXPECT_EQ(hole->Cursor(), crDefault);
    // Its own copy, not the template's pixels.
    ASSERT_NE(hole->Picture().Bitmap(), nullptr);
    EXPECT_NE(hole->Picture().Bitmap(), &templ);
    ASSERT_EQ(templ.Width(), c.width);
    ASSERT_EQ(templ.Height(), 100);

    Form1->UpdateFrame();
    int mismatches = 0, keyMismatches = 0, lime = 0;
    for (int y = 0; y < templ.Height(); ++y)
        for (int x = 0; x < templ.Width(); ++x) {
            const TColor expected = templ.Pixel(x, y);
            if (expected == clLime) ++lime;
            if (Form1->FramePixel(x, 50 + y) != expected) ++mismatches;
            if (Form1->IsKeyedAt({x, 50 + y}) != (expected == clLime)) ++keyMismatches;
            // The shape handed to the window system leaves out exactly the lime.
            if (Form1->Composer().Shape().contains(QPoint(x, 50 + y)) == (expected == clLime)) ++keyMismatches;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(keyMismatches, 0);
    EXPECT_GT(lime, 0);
    // Around it the sheet is still black.
    for (const TPoint p : {TPoint{0, 49}, TPoint{c.width - 1, 49}, TPoint{0, 150}, TPoint{c.width, 100}}) {
        EXPECT_EQ(Form1->FramePixel(p.x, p.y), clBlack) << p.x << "," << p.y;
        EXPECT_FALSE(Form1->IsKeyedAt(p)) << p.x << "," << p.y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AddHoleGui,
    ::testing::Values(AddCase{"RectangleByLetter", {Letter('r')}, &TForm2::Image1, 100},
                      AddCase{"RectangleFirstItem", {kDown, kReturn}, &TForm2::Image1, 100},
                      AddCase{"CircleSecondItem", {kDown, kDown, kReturn}, &TForm2::Image3, 100},
                      AddCase{"EllipseByLetter", {Letter('e')}, &TForm2::Image2, 200},
                      AddCase{"EllipseThirdItem", {kDown, kDown, kDown, kReturn}, &TForm2::Image2, 200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StencilGui, SameCommandTwiceAddsAnIndependentHoleOnTop) {
    TImage* first = AddCircle();
    TImage* second = AddCircle();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(Form1->Controls().size(), 2u);
    EXPECT_EQ(Form1->Controls().back(), second);
    EXPECT_EQ(second->BoundsRect(), first->BoundsRect());

    // The right edge (black on both) belongs to the later hole; dragging it
    // leaves the earlier hole and the template as they were.
    pointer.MoveTo(OnHole(*second, 98, 50));
    EXPECT_EQ(second->Cursor(), crSizeWE);
    EXPECT_EQ(first->Cursor(), crDefault);
    pointer.Press(Qt::LeftButton);
    pointer.MoveTo(OnHole(*second, 98 + 40, 50));
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(second->Width(), 140);
    EXPECT_EQ(first->Width(), 100);
    EXPECT_EQ(Form2->Image3->Picture().Width(), 100);
    EXPECT_EQ(Form2->Image3->Width(), 100);

    // Resizing changes only the scale: both copies, and the template, keep
    // their pixels.
    EXPECT_NE(first->Picture().Bitmap(), second->Picture().Bitmap());
    EXPECT_TRUE(SamePixels(*first->Picture().Bitmap(), *Form2->Image3->Picture().Bitmap()));
    EXPECT_TRUE(SamePixels(*second->Picture().Bitmap(), *Form2->Image3->Picture().Bitmap()));
}

// An ellipse, then a rectangle over its left half. Where the rectangle is
// black the ellipse is lime, and the other way round.
TEST_F(StencilGui, LaterHoleGetsThePointerOnItsBlackAndLetsItThroughOnItsLime) {
    TImage* ellipse = AddEllipse();
    TImage* rectangle = AddRectangle();
    ASSERT_NE(ellipse, nullptr);
    ASSERT_NE(rectangle, nullptr);
    const TBitmap& ellipseTemplate = *Form2->Image2->Picture().Bitmap();
    const TBitmap& rectangleTemplate = *Form2->Image1->Picture().Bitmap();
    ASSERT_EQ(ellipseTemplate.Pixel(12, 12), clBlack);
    ASSERT_EQ(rectangleTemplate.Pixel(12, 12), clLime);
    ASSERT_EQ(ellipseTemplate.Pixel(98, 50), clLime);
    ASSERT_EQ(rectangleTemplate.Pixel(98, 50), clBlack);

    Form1->UpdateFrame();
    EXPECT_EQ(Form1->FramePixel(12, 50 + 12), clLime);
    EXPECT_TRUE(Form1->IsKeyedAt({12, 50 + 12}));
    EXPECT_EQ(Form1->FramePixel(98, 50 + 50), clBlack);
    EXPECT_FALSE(Form1->IsKeyedAt({98, 50 + 50}));

    // On the later hole's lime a press reaches no hole, nor the sheet (no
    // move starts).
    pointer.MoveTo(OnHole(*rectangle, 12, 12));
    EXPECT_EQ(ellipse->Cursor(), crDefault);
    EXPECT_EQ(rectangle->Cursor(), crDefault);
    EXPECT_FALSE(pointer.PressOnSheetAndRelease(Qt::LeftButton, pointer.Position()));
    EXPECT_FALSE(Form1->Drag().Dragging);
    EXPECT_EQ(Form1->Drag().Zone, hzRight);  // never hit-tested
    EXPECT_EQ(Form1->Left(), kSheetLeft);

    // On its black over the earlier one's lime, the later one gets it.
    pointer.MoveTo(OnHole(*rectangle, 98, 50));
    EXPECT_EQ(rectangle->Cursor(), crSizeWE);
    EXPECT_EQ(ellipse->Cursor(), crDefault);
    EXPECT_EQ(Form1->ShownCursor(), crSizeWE);
    pointer.Press(Qt::LeftButton);
    EXPECT_TRUE(Form1->Drag().Dragging);
    pointer.MoveTo(pointer.Position() + QPoint(10, 0));
    pointer.Release(Qt::LeftButton);
    EXPECT_EQ(rectangle->BoundsRect(), BoundsRect(0, 50, 110, 100));
    EXPECT_EQ(ellipse->BoundsRect(), BoundsRect(0, 50, 200, 100));
}

}  // namespace
}  // namespace veilix::gui
