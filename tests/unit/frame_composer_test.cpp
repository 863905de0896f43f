#include "platform/frame_composer.h"

#include <gtest/gtest.h>

namespace veilix {
namespace {

constexpr QRgb kKey = 0xFF00FF00;

// The shape recomputed from scratch: every pixel that is not the key colour.
QRegion ShapeFromScratch(const QImage& frame) {
    QRegion shape;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != kKey) shape += QRect(x, y, 1, 1);
    return shape;
}

TEST(FrameComposer, ShapeFollowsPartialUpdates) {
    // The scene: black, with key-coloured rectangles that move between updates.
    std::vector<QRect> openings = {QRect(2, 3, 5, 4), QRect(20, 1, 8, 8)};
    auto paint = [&](QImage& frame, const QRect& clip) {
        frame.fill(0);  // deliberately paints outside the clip: only the clip may count
        for (int y = clip.top(); y <= clip.bottom(); ++y)
            for (int x = clip.left(); x <= clip.right(); ++x) {
                QRgb colour = 0xFF000000;
                for (const QRect& r : openings)
                    if (r.contains(x, y)) colour = kKey;
                frame.setPixel(x, y, colour);
            }
    };
    FrameComposer composer;
    composer.SetKeyColour(kKey);
    composer.Resize(QSize(40, 12));
    std::vector<std::vector<QRect>> steps = {
        {QRect(2, 3, 5, 4), QRect(20, 1, 8, 8)},
        {QRect(2, 3, 9, 4), QRect(20, 1, 8, 8)},
        {QRect(2, 3, 9, 4), QRect(18, 0, 12, 12)},
        {QRect(0, 0, 40, 12)},
        {},
    };
    QRegion previous;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        for (const QRect& r : openings) composer.Invalidate(r);
        openings = steps[i];
        for (const QRect& r : openings) composer.Invalidate(r);
        if (i == 0) composer.Invalidate(QRect(0, 0, 40, 12));
        composer.Compose([&](QImage& frame, const QRect& clip) {
            QImage before = frame.copy();
            paint(frame, clip);
            // keep what lies outside the clip as it was
            for (int y = 0; y < frame.height(); ++y)
                for (int x = 0; x < frame.width(); ++x)
                    if (!clip.contains(x, y)) frame.setPixel(x, y, before.pixel(x, y));
        });
        EXPECT_TRUE(composer.Shape().xored(ShapeFromScratch(composer.Frame())).isEmpty()) << "step " << i;
        EXPECT_FALSE(composer.HasPendingChanges());
        if (i == 3) {
            EXPECT_TRUE(composer.Shape().isEmpty()) << "keyed everywhere: nothing shown";
        }
    }
    EXPECT_TRUE(composer.Shape().xored(QRegion(0, 0, 40, 12)).isEmpty()) << "no key colour left: all shown";
}

TEST(FrameComposer, NothingPendingComposesNothing) {
    FrameComposer composer;
    composer.Resize(QSize(4, 4));
    int calls = 0;
    composer.Compose([&](QImage& frame, const QRect&) { frame.fill(0); ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(composer.Compose([&](QImage&, const QRect&) { ++calls; }).isEmpty());
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace veilix
