#include "platform/graphics/canvas_pixels.h"

#include <algorithm>
#include <climits>

#include "platform/core/colors.h"
#include "platform/core/device_pixels.h"

namespace veilix {

namespace {
bool IsPaletted(QImage::Format format) {
    return format == QImage::Format_Mono || format == QImage::Format_MonoLSB || format == QImage::Format_Indexed8;
}

int DistanceSquared(QRgb a, QRgb b) {
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// A palette surface stores an index; without a table, the index is a grey level.
uint NearestIndex(const QImage& image, QRgb rgb) {
    const QList<QRgb> table = image.colorTable();
    if (table.isEmpty()) {
        const uint levels = image.depth() == 1 ? 2u : 256u;
        return uint(qGray(rgb)) * (levels - 1) / 255u;
    }
    uint best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < table.size(); ++i) {
        const int distance = DistanceSquared(table[i], rgb);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = uint(i);
        }
    }
    return best;
}
}  // namespace

bool IsWideFormat(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

PixelWriter::PixelWriter(QImage& image, const QRect& clip)
    : image_(image),
      ratio_(image.devicePixelRatio()),
      clip_(DeviceRect(clip, ratio_) & image.rect()),
      wide_(IsWideFormat(image.format())) {}

PixelWriter::PixelWriter(QImage& image)
    : image_(image), ratio_(image.devicePixelRatio()), clip_(image.rect()), wide_(IsWideFormat(image.format())) {}

void PixelWriter::SetColor(QRgb rgb) {
    rgb_ = rgb | 0xFF000000u;
    value_ = IsPaletted(image_.format()) ? NearestIndex(image_, rgb_) : rgb_;
}

void PixelWriter::Span(int y, int x0, int x1) {
    if (ratio_ == 1.0) {
        DeviceSpan(y, x0, x1);
        return;
    }
    if (x0 >= x1) return;
    x0 = DeviceEdge(x0, ratio_);
    x1 = DeviceEdge(x1, ratio_);
    const int bottom = DeviceEdge(y + 1, ratio_);
    for (int row = DeviceEdge(y, ratio_); row < bottom; ++row) DeviceSpan(row, x0, x1);
}

void PixelWriter::DeviceSpan(int y, int x0, int x1) {
    if (y < clip_.top() || y > clip_.bottom()) return;
    x0 = std::max(x0, clip_.left());
    x1 = std::min(x1, clip_.right() + 1);
    if (x0 >= x1) return;
    if (wide_) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + x0, line + x1, rgb_);
        return;
    }
    for (int x = x0; x < x1; ++x) image_.setPixel(x, y, value_);
}

void PixelWriter::Fill(const QRect& area) {
    const QRect inside = DeviceRect(area, ratio_) & clip_;
    for (int y = inside.top(); y <= inside.bottom(); ++y) DeviceSpan(y, inside.left(), inside.right() + 1);
}

}  // namespace veilix
