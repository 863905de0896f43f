#pragma once
// Writing pixels of one colour into a QImage of any format: whole runs for the
// 32-bit formats the program draws on, one pixel at a time for the others
// (palette surfaces take the nearest colour of their table). Coordinates are
// logical: on an image whose device pixel ratio is not 1 each logical pixel
// covers the device pixels between its edges (device_pixels.h).
#include <QImage>
#include <QRect>

#include "platform/core/types.h"
#include "platform/graphics/qt_conversions.h"

namespace veilix {

// Formats whose pixels are whole QRgb words.
bool IsWideFormat(QImage::Format format);

class PixelWriter {
public:
    // Writes only inside clip (logical), which is kept within the image.
    PixelWriter(QImage& image, const QRect& clip);
    explicit PixelWriter(QImage& image);

    void SetColor(QRgb rgb);
    // Pixels x0 .. x1 - 1 of row y.
    void Span(int y, int x0, int x1);
    void Plot(int x, int y) { Span(y, x, x + 1); }
    void Fill(const QRect& area);
    // Device pixels x0 .. x1 - 1 of device row y: for what is drawn at the
    // device's own resolution (glyphs).
    void DeviceSpan(int y, int x0, int x1);

private:
    QImage& image_;
    qreal ratio_;
    QRect clip_;  // in device pixels
    bool wide_;
    QRgb rgb_ = 0;
    uint value_ = 0;  // what setPixel takes for rgb_ on this format
};

}  // namespace veilix
