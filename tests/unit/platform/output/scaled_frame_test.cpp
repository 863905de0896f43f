// A frame composed at a device pixel ratio other than 1, painted through the
// canvas as a form paints it: black, with templates stretched into holes.
// Each device pixel is checked against the template sampled from the hole's
// device rectangle, and the shape against the lime from scratch.
#include <gtest/gtest.h>

#include <vector>

#include "platform/core/device_pixels.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/qt_conversions.h"
#include "platform/graphics/stretch_copy.h"
#include "platform/output/frame_composer.h"

namespace veilix {
namespace {

constexpr QRgb kKey = 0xFF00FF00;
constexpr QRgb kBlack = 0xFF000000;
constexpr QSize kLogical(97, 61);

// A 9 x 9 template: a black ring, a grey shade inside it, lime within.
TBitmap FramedTemplate() {
    TBitmap bitmap(9, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const int ring = std::min({x, y, 8 - x, 8 - y});
            bitmap.SetPixel(x, y, ring == 0 ? clBlack : ring == 1 ? RGBColor(128, 128, 128) : clLime);
        }
    return bitmap;
}

TBitmap AllLime() {
    TBitmap bitmap(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) bitmap.SetPixel(x, y, clLime);
    return bitmap;
}

struct Hole {
    QRect logical;
    const TBitmap* picture;
};

// As a form paints: the clip filled black, then each hole's picture.
FrameComposer::PaintFunction Painter(const std::vector<Hole>& holes) {
    return [&holes](QImage& frame, const QRect& clip) {
        TCanvas canvas(frame);
        canvas.Brush.Color = clBlack;
        canvas.FillRect(ToTRect(clip));
        for (const Hole& hole : holes) canvas.StretchDrawClipped(ToTRect(hole.logical), *hole.picture, ToTRect(clip));
    };
}

// What device pixel (x, y) must show: the topmost hole's picture sampled
// nearest-neighbour from the hole's device rectangle, else black.
QRgb Expected(const std::vector<Hole>& holes, qreal ratio, int x, int y) {
    for (auto it = holes.rbegin(); it != holes.rend(); ++it) {
        const QRect device = DeviceRect(it->logical, ratio);
        if (!device.contains(x, y)) continue;
        const QImage& source = it->picture->Image();
        return source.pixel(StretchSourceIndex(x - device.left(), source.width(), device.width()),
                            StretchSourceIndex(y - device.top(), source.height(), device.height()));
    }
    return kBlack;
}

QRegion ShapeFromScratch(const QImage& frame) {
    QRegion shape;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if ((frame.pixel(x, y) | 0xFF000000u) != kKey) shape += QRect(x, y, 1, 1);
    return shape;
}

int Mismatches(const FrameComposer& composer, const std::vector<Hole>& holes, qreal ratio) {
    int count = 0;
    const QImage& frame = composer.Frame();
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if ((frame.pixel(x, y) | 0xFF000000u) != Expected(holes, ratio, x, y)) ++count;
    return count;
}

class ScaledFrame : public testing::TestWithParam<qreal> {};

TEST_P(ScaledFrame, HolesAreTheirTemplatesAtDeviceResolutionAndTheShapeIsTheirLime) {
    const qreal ratio = GetParam();
    const TBitmap framed = FramedTemplate(), lime = AllLime();
    // Odd places and sizes, so that fractional ratios round both ways; the
    // last two share an edge.
    std::vector<Hole> holes = {
        {QRect(3, 5, 31, 23), &framed}, {QRect(41, 7, 13, 40), &lime}, {QRect(54, 7, 17, 40), &lime}};
    FrameComposer composer;
    composer.SetKeyColour(kKey);
    composer.Resize(kLogical, ratio);
    ASSERT_EQ(composer.Frame().size(), DeviceRect(QRect(QPoint(0, 0), kLogical), ratio).size());
    composer.Compose(Painter(holes));
    EXPECT_EQ(Mismatches(composer, holes, ratio), 0);
    EXPECT_TRUE(composer.Shape().xored(ShapeFromScratch(composer.Frame())).isEmpty());
    // Two holes side by side: one opening, no column of black between them.
    const QRect both = DeviceRect(QRect(41, 7, 30, 40), ratio);
    EXPECT_FALSE(composer.Shape().intersects(both)) << "a seam between holes that share an edge";
    // The first hole's opening is exactly where its template is lime.
    const QRect framedDevice = DeviceRect(holes[0].logical, ratio);
    EXPECT_TRUE(composer.Shape().contains(framedDevice.topLeft()));
    EXPECT_FALSE(composer.Shape().contains(framedDevice.center()));
}

TEST_P(ScaledFrame, IncrementalUpdatesEqualAFreshFrame) {
    // A drag: one hole's right edge moves a logical pixel at a time, each
    // step invalidating only the old and new bounds, as the form does.
    const qreal ratio = GetParam();
    const TBitmap framed = FramedTemplate();
    std::vector<Hole> holes = {{QRect(10, 9, 40, 30), &framed}};
    FrameComposer composer;
    composer.SetKeyColour(kKey);
    composer.Resize(kLogical, ratio);
    composer.Compose(Painter(holes));
    for (int width : {41, 39, 27, 12, 55, 3}) {
        composer.Invalidate(holes[0].logical);
        holes[0].logical.setWidth(width);
        composer.Invalidate(holes[0].logical);
        const QRegion changed = composer.Compose(Painter(holes));
        EXPECT_EQ(Mismatches(composer, holes, ratio), 0) << "width " << width;
        EXPECT_TRUE(composer.Shape().xored(ShapeFromScratch(composer.Frame())).isEmpty()) << "width " << width;
        EXPECT_TRUE(QRegion(composer.Frame().rect()).contains(changed.boundingRect()));
    }
}

TEST_P(ScaledFrame, TextAndLinesAreDrawnAtDeviceResolution) {
    // A one-pixel line covers the device pixels of its logical pixel, and a
    // bitmap compatible with the frame keeps its density when copied in.
    const qreal ratio = GetParam();
    FrameComposer composer;
    composer.Resize(kLogical, ratio);
    composer.Compose([](QImage& frame, const QRect& clip) {
        TCanvas canvas(frame);
        canvas.Brush.Color = clWhite;
        canvas.FillRect(ToTRect(clip));
        TBitmap scratch(20, 10, canvas);
        scratch.Canvas().Brush.Color = clWhite;
        scratch.Canvas().Pen.Color = RGBColor(255, 0, 0);
        scratch.Canvas().MoveTo(0, 3);
        scratch.Canvas().LineTo(20, 3);
        canvas.CopyRect({30, 20, 50, 30}, scratch.Canvas(), {0, 0, 20, 10});
    });
    const QImage& frame = composer.Frame();
    const int top = DeviceEdge(23, ratio), bottom = DeviceEdge(24, ratio);
    for (int y = DeviceEdge(20, ratio); y < DeviceEdge(30, ratio); ++y) {
        const QRgb want = y >= top && y < bottom ? qRgb(255, 0, 0) : qRgb(255, 255, 255);
        EXPECT_EQ(frame.pixel(DeviceEdge(40, ratio), y) | 0xFF000000u, want) << "device row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, ScaledFrame, testing::Values(1.0, 1.25, 1.5, 1.75, 2.0));

}  // namespace
}  // namespace veilix
