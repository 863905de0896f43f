#include "platform/graphics/stretch_copy.h"

#include <gtest/gtest.h>

#include <set>

namespace veilix {
namespace {

// A source whose every pixel has its own colour, so the copy shows which
// source pixel each destination pixel took.
QImage NumberedSource(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x, y, 7));
    return image;
}

QImage Blank(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    return image;
}

TEST(StretchCopy, SameSizeIsPixelForPixel) {
    const QImage source = NumberedSource(10, 6);
    QImage destination = Blank(20, 20);
    StretchCopy(destination, QRect(5, 4, 10, 6), source, destination.rect());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(destination.pixel(5 + x, 4 + y), source.pixel(x, y));
    EXPECT_EQ(destination.pixel(4, 4), qRgb(1, 2, 3));
    EXPECT_EQ(destination.pixel(15, 4), qRgb(1, 2, 3));
}

TEST(StretchCopy, AxesScaleIndependentlyByNearestNeighbour) {
    const QImage source = NumberedSource(4, 4);
    QImage destination = Blank(8, 2);
    StretchCopy(destination, QRect(0, 0, 8, 2), source, destination.rect());
    // Twice as wide: each column repeated; half as tall: every other row.
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(qRed(destination.pixel(x, 0)), x / 2);
        EXPECT_EQ(qGreen(destination.pixel(x, 0)), 0);
        EXPECT_EQ(qGreen(destination.pixel(x, 1)), 2);
    }
}

TEST(StretchCopy, ClipLimitsWhatIsWrittenButNotTheMapping) {
    const QImage source = NumberedSource(10, 10);
    QImage whole = Blank(30, 30), clipped = Blank(30, 30);
    StretchCopy(whole, QRect(-3, 2, 25, 17), source, whole.rect());
    StretchCopy(clipped, QRect(-3, 2, 25, 17), source, QRect(4, 5, 6, 3));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool inside = QRect(4, 5, 6, 3).contains(x, y);
            EXPECT_EQ(clipped.pixel(x, y), inside ? whole.pixel(x, y) : qRgb(1, 2, 3)) << x << "," << y;
        }
}

TEST(StretchCopy, EmptyOrNegativeDestinationDrawsNothing) {
    const QImage source = NumberedSource(4, 4);
    for (const QRect& rect : {QRect(0, 0, 0, 5), QRect(0, 0, 5, 0), QRect(3, 3, -2, 4), QRect(3, 3, 4, -2)}) {
        QImage destination = Blank(8, 8);
        StretchCopy(destination, rect, source, destination.rect());
        EXPECT_EQ(destination, Blank(8, 8));
    }
}

TEST(StretchCopy, NoColourThatTheSourceLacks) {
    QImage source(3, 3, QImage::Format_RGB32);
    source.fill(qRgb(0, 0, 0));
    source.setPixel(1, 1, qRgb(0, 255, 0));
    source.setPixel(0, 1, qRgb(0, 64, 0));
    for (const QSize& size : {QSize(1, 1), QSize(2, 5), QSize(7, 3), QSize(31, 17), QSize(300, 2)}) {
        QImage destination = Blank(size.width(), size.height());
        StretchCopy(destination, destination.rect(), source, destination.rect());
        std::set<QRgb> colours;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) colours.insert(destination.pixel(x, y));
        for (QRgb c : colours)
            EXPECT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(0, 255, 0) || c == qRgb(0, 64, 0)) << std::hex << c;
    }
}

}  // namespace
}  // namespace veilix
