// What the composed frame must show, worked out pixel by pixel from the
// controls themselves: the pixel of the topmost control that paints there
// (PixelAt), or the form colour where none does. Stretched pictures hide what
// lies beneath them; unstretched ones leave the rest of their bounds to it.
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/graphics/bitmap.h"
#include "support/qt_application.h"

namespace veilix {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 110;

TBitmap Picture(int width, int height, std::uint32_t seed) {
    TBitmap bitmap(width, height);
    std::mt19937 random(seed);
    const TColor colours[] = {clBlack, clLime, RGBColor(200, 30, 30), RGBColor(20, 40, 220)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, colours[random() % 4]);
    return bitmap;
}

TColor Expected(const TForm& form, TPoint p) {
    const auto& controls = form.Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const TControl* c = *it;
        if (!c->HasArea() || !c->BoundsRect().Contains(p)) continue;
        if (const auto pixel = c->PixelAt({p.x - c->Left(), p.y - c->Top()})) return *pixel;
    }
    return form.Color();
}

std::string Mismatch(const TForm& form) {
    int count = 0;
    std::ostringstream out;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const TColor expected = Expected(form, {x, y}), shown = form.FramePixel(x, y);
            if (expected == shown) continue;
            if (count++ == 0)
                out << "first at (" << x << "," << y << "): shown " << std::hex << shown << ", expected " << expected
                    << std::dec;
        }
    if (count) out << "; " << count << " pixels differ";
    return out.str();
}

TEST(FramePainting, EachPixelComesFromTheTopmostControlThatPaintsThere) {
    testing::EnsureQtApplication();
    TForm form(nullptr);
    form.SetClientWidth(kWidth);
    form.SetClientHeight(kHeight);
    form.SetColor(RGBColor(10, 80, 10));
    std::mt19937 random(4711);
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::vector<TImage*> images;
    for (int i = 0; i < 9; ++i) {
        auto* image = new TImage(&form);
        image->SetParent(&form);
        // Most stretched (opaque over their bounds), some not.
        image->SetStretch(i % 3 != 2);
        image->Picture().Assign(Picture(pick(1, 9), pick(1, 9), std::uint32_t(i)));
        image->SetLeft(pick(-20, kWidth - 10));
        image->SetTop(pick(-20, kHeight - 10));
        image->SetWidth(pick(5, 90));
        image->SetHeight(pick(5, 70));
        images.push_back(image);
    }
    form.UpdateFrame();
    ASSERT_EQ(Mismatch(form), "") << "first frame";

    for (int step = 0; step < 400; ++step) {
        TImage& image = *images[std::size_t(pick(0, int(images.size()) - 1))];
        switch (pick(0, 3)) {
            case 0: image.SetLeft(image.Left() + pick(-12, 12)); break;
            case 1: image.SetTop(image.Top() + pick(-12, 12)); break;
            case 2: image.SetWidth(std::max(0, image.Width() + pick(-12, 12))); break;
            default: image.SetVisible(!image.Visible()); break;
        }
        form.UpdateFrame();
        ASSERT_EQ(Mismatch(form), "") << "step " << step;
    }
}

}  // namespace
}  // namespace veilix
