#include "platform/graphics/bitmap.h"

#include <QImage>

#include "platform/core/device_pixels.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/qt_conversions.h"

namespace veilix {

namespace {
// Plain RGB as it is: a system colour reference is not resolved here.
QRgb ToRgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
}  // namespace

TBitmap::TBitmap() : image_(std::make_unique<QImage>()) {}

TBitmap::TBitmap(int width, int height)
    : image_(std::make_unique<QImage>(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)) {
    image_->fill(Qt::white);
}

TBitmap::TBitmap(int width, int height, const TCanvas& compatibleWith) : TBitmap() {
    deviceBitsPerPixel_ = compatibleWith.BitsPerPixel();
    const qreal ratio = compatibleWith.Surface().devicePixelRatio();
    const QRect device = DeviceRect(QRect(0, 0, std::max(width, 0), std::max(height, 0)), ratio);
    *image_ = QImage(device.size(), QImage::Format_RGB32);
    image_->setDevicePixelRatio(ratio);
    image_->fill(Qt::white);
}

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other)
    : image_(std::make_unique<QImage>(other.image_->copy())), deviceBitsPerPixel_(other.deviceBitsPerPixel_) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) {
        // detach: the copy owns its pixels whatever Qt would share implicitly
        *image_ = other.image_->copy();
        canvas_.reset();
        deviceBitsPerPixel_ = other.deviceBitsPerPixel_;
    }
    return *this;
}

TBitmap TBitmap::FromRgb(int width, int height, const std::uint8_t* rgb) {
    TBitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(bitmap.image_->scanLine(y));
        const std::uint8_t* in = rgb + std::size_t(y) * std::size_t(width) * 3;
        for (int x = 0; x < width; ++x, in += 3) out[x] = qRgb(in[0], in[1], in[2]);
    }
    return bitmap;
}

int TBitmap::Width() const { return LogicalRect(*image_).width(); }
int TBitmap::Height() const { return LogicalRect(*image_).height(); }
bool TBitmap::Empty() const { return image_->isNull(); }

void TBitmap::SetSize(int width, int height) {
    const qreal ratio = image_->devicePixelRatio();
    QImage resized(DeviceRect(QRect(0, 0, std::max(width, 0), std::max(height, 0)), ratio).size(),
                   QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(Qt::white);
    *image_ = std::move(resized);
    canvas_.reset();
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0xFFFFFFFF;  // the framework's "no pixel" value
    const qreal ratio = image_->devicePixelRatio();
    return FromQRgb(image_->pixel(DeviceEdge(x, ratio), DeviceEdge(y, ratio)));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    const qreal ratio = image_->devicePixelRatio();
    if (ratio == 1.0) {
        image_->setPixel(x, y, ToRgb(color));
        return;
    }
    // The whole logical pixel: all its device pixels.
    const QRect device = DeviceRect(QRect(x, y, 1, 1), ratio) & image_->rect();
    for (int row = device.top(); row <= device.bottom(); ++row)
        for (int column = device.left(); column <= device.right(); ++column)
            image_->setPixel(column, row, ToRgb(color));
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(*image_, deviceBitsPerPixel_);
    return *canvas_;
}

void TPicture::Assign(const TPicture& source) {
    if (&source == this) return;
    if (source.bitmap_)
        Assign(*source.bitmap_);
    else {
        bitmap_.reset();
        OnChange();
    }
}

void TPicture::Assign(const TBitmap& source) {
    bitmap_ = std::make_unique<TBitmap>(source);
    OnChange();
}

int TPicture::Width() const { return bitmap_ ? bitmap_->Width() : 0; }
int TPicture::Height() const { return bitmap_ ? bitmap_->Height() : 0; }

}  // namespace veilix
