#pragma once
// Writing pixels of one colour into a QImage of any format: whole runs for the
// 32-bit formats the program draws on, one pixel at a time for the others
// (palette surfaces take the nearest colour of their table).
#include <QImage>
#include <QRect>

#include "platform/core/types.h"
#include "platform/graphics/qt_conversions.h"

namespace veilix {

// Formats whose pixels are whole QRgb words.
bool IsWideFormat(QImage::Format format);

class PixelWriter {
public:
    // Writes only inside clip, which is kept within the image.
    PixelWriter(QImage& image, const QRect& clip);
    explicit PixelWriter(QImage& image) : PixelWriter(image, image.rect()) {}

    void SetColor(QRgb rgb);
    // Pixels x0 .. x1 - 1 of row y.
    void Span(int y, int x0, int x1);
    void Plot(int x, int y) { Span(y, x, x + 1); }
    void Fill(const QRect& area);

private:
    QImage& image_;
    QRect clip_;
    bool wide_;
    QRgb rgb_ = 0;
    uint value_ = 0;  // what setPixel takes for rgb_ on this format
};

}  // namespace veilix
