#include "platform/graphics/bitmap.h"

#include <QImage>

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

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other) : image_(std::make_unique<QImage>(other.image_->copy())) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) {
        // detach: the copy owns its pixels whatever Qt would share implicitly
        *image_ = other.image_->copy();
        canvas_.reset();
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

int TBitmap::Width() const { return image_->width(); }
int TBitmap::Height() const { return image_->height(); }
bool TBitmap::Empty() const { return image_->isNull(); }

void TBitmap::SetSize(int width, int height) {
    QImage resized(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    resized.fill(Qt::white);
    *image_ = std::move(resized);
    canvas_.reset();
}

TColor TBitmap::Pixel(int x, int y) const {
    if (!image_->valid(x, y)) return 0xFFFFFFFF;  // the framework's "no pixel" value
    return FromQRgb(image_->pixel(x, y));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (image_->valid(x, y)) image_->setPixel(x, y, ToRgb(color));
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TCanvas>(*image_);
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
