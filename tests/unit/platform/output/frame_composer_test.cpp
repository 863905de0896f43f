#include "platform/output/frame_composer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

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
    composer.Compose([&](QImage& frame, const QRect&) {
        frame.fill(0);
        ++calls;
    });
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(composer.Compose([&](QImage&, const QRect&) { ++calls; }).isEmpty());
    EXPECT_EQ(calls, 1);
}

// What Compose reports is what must be shown anew: the pixels whose value
// changed, differences a few pixels apart joined into one span, and all of a
// fresh frame, whose earlier pixels nobody has seen.
TEST(FrameComposer, ReportsOnlyThePixelsThatChanged) {
    FrameComposer composer;
    composer.SetKeyColour(kKey);
    composer.Resize(QSize(64, 8));
    std::vector<QPoint> lime;
    auto paint = [&](QImage& frame, const QRect& clip) {
        for (int y = clip.top(); y <= clip.bottom(); ++y)
            for (int x = clip.left(); x <= clip.right(); ++x) frame.setPixel(x, y, 0xFF000000);
        for (const QPoint& p : lime)
            if (clip.contains(p)) frame.setPixel(p, kKey);
    };
    EXPECT_EQ(composer.Compose(paint), QRegion(0, 0, 64, 8)) << "a fresh frame is all new";

    struct Case {
        const char* what;
        std::vector<QPoint> lime;
        QRegion reported;
    };
    const Case cases[] = {
        {"nothing changed", {}, QRegion()},
        {"one pixel", {{5, 2}}, QRegion(5, 2, 1, 1)},
        {"back again", {}, QRegion(5, 2, 1, 1)},
        {"two far apart, two rows", {{5, 2}, {40, 2}, {5, 3}, {40, 3}}, QRegion(5, 2, 1, 2) + QRegion(40, 2, 1, 2)},
        {"close ones joined", {{5, 2}, {40, 2}, {5, 3}, {40, 3}, {12, 2}, {20, 2}}, QRegion(12, 2, 9, 1)},
        {"all cleared", {}, QRegion(5, 2, 16, 1) + QRegion(40, 2, 1, 1) + QRegion(5, 3, 1, 1) + QRegion(40, 3, 1, 1)},
        {"sixteen equal pixels between: apart", {{5, 2}, {22, 2}}, QRegion(5, 2, 1, 1) + QRegion(22, 2, 1, 1)},
        {"cleared again", {}, QRegion(5, 2, 1, 1) + QRegion(22, 2, 1, 1)},
        {"fifteen between: joined", {{5, 2}, {21, 2}}, QRegion(5, 2, 17, 1)},
        {"the row's last pixel", {{63, 7}}, QRegion(5, 2, 17, 1) + QRegion(63, 7, 1, 1)},
    };
    for (const Case& c : cases) {
        lime = c.lime;
        composer.Invalidate(QRect(0, 0, 64, 8));
        EXPECT_EQ(composer.Compose(paint), c.reported) << c.what;
        EXPECT_TRUE(composer.Shape().xored(ShapeFromScratch(composer.Frame())).isEmpty()) << c.what;
    }
    composer.SetKeyColour(0xFF000000);
    composer.Invalidate(QRect(0, 0, 4, 4));
    EXPECT_EQ(composer.Compose(paint), QRegion(0, 0, 64, 8)) << "a new key colour shows and hides unchanged pixels";
}

// Bands rebuilt for the changed rows only must give the very rectangles that
// banding all rows from scratch gives: the X server takes them as y-x banded,
// with equal neighbouring rows merged. Round openings make every row a band of its
// own; they move over each other, off the frame, and vanish.
TEST(FrameComposer, BandsRebuiltForChangedRowsAreTheCanonicalShape) {
    struct Opening {
        QRect box;
        bool round;
    };
    std::vector<Opening> openings = {
        {QRect(3, 4, 12, 12), true}, {QRect(20, 2, 9, 20), false}, {QRect(8, 18, 20, 9), true}};
    auto keyed = [&](int x, int y) {
        for (const Opening& o : openings) {
            if (!o.box.contains(x, y)) continue;
            if (!o.round) return true;
            const double cx = o.box.left() + o.box.width() / 2.0, cy = o.box.top() + o.box.height() / 2.0;
            const double dx = (x + 0.5 - cx) / (o.box.width() / 2.0), dy = (y + 0.5 - cy) / (o.box.height() / 2.0);
            if (dx * dx + dy * dy <= 1.0) return true;
        }
        return false;
    };
    FrameComposer composer;
    composer.SetKeyColour(kKey);
    composer.Resize(QSize(48, 32));
    std::uint32_t seed = 7;
    auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % std::uint32_t(n));
    };
    std::vector<QRect> before;
    for (int step = 0; step < 300; ++step) {
        const std::uint64_t versionBefore = composer.ShapeVersion();
        Opening& o = openings[std::size_t(next(int(openings.size())))];
        composer.Invalidate(o.box);
        o.box.translate(next(9) - 4, next(9) - 4);
        o.box.setWidth(std::max(0, o.box.width() + next(5) - 2));
        o.box.setHeight(std::max(0, o.box.height() + next(5) - 2));
        composer.Invalidate(o.box);
        composer.Compose([&](QImage& frame, const QRect& clip) {
            for (int y = clip.top(); y <= clip.bottom(); ++y)
                for (int x = clip.left(); x <= clip.right(); ++x) frame.setPixel(x, y, keyed(x, y) ? kKey : 0xFF000000);
        });
        // From scratch: each row's shown runs, equal rows merged into bands.
        std::vector<std::vector<std::pair<int, int>>> rows(32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 48;) {
                if (keyed(x, y)) {
                    ++x;
                    continue;
                }
                const int begin = x;
                while (x < 48 && !keyed(x, y)) ++x;
                rows[std::size_t(y)].push_back({begin, x});
            }
        std::vector<QRect> expected;
        for (int y = 0; y < 32;) {
            int end = y + 1;
            while (end < 32 && rows[std::size_t(end)] == rows[std::size_t(y)]) ++end;
            for (const auto& [begin, stop] : rows[std::size_t(y)])
                expected.emplace_back(begin, y, stop - begin, end - y);
            y = end;
        }
        const std::vector<QRect> shape(composer.Shape().begin(), composer.Shape().end());
        ASSERT_EQ(shape, expected) << "step " << step;
        ASSERT_EQ(composer.ShapeRects(), expected) << "step " << step;
        // The version tells whether the shape must be handed on again.
        if (step > 0) {
            EXPECT_EQ(composer.ShapeVersion() != versionBefore, expected != before) << "step " << step;
        }
        before = expected;
    }
}

}  // namespace
}  // namespace veilix
