#pragma once
// TBitmap (an off-screen 24-bit image) and TPicture (what an image control
// shows). Assigning a picture copies every pixel: nothing is shared.
#include <cstdint>
#include <memory>

#include "platform/core/method.h"
#include "platform/core/types.h"

class QImage;

namespace veilix {

class TCanvas;

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    // Of the same pixel density as the canvas's surface: on a scaled
    // desktop, what is drawn on it has the screen's resolution, while its
    // size and coordinates stay logical. Its canvas reports the other's
    // bits per pixel, though its pixels stay 32-bit.
    TBitmap(int width, int height, const TCanvas& compatibleWith);
    ~TBitmap();
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);

    // Builds a bitmap from packed 8-bit RGB samples, rows from the top.
    static TBitmap FromRgb(int width, int height, const std::uint8_t* rgb);

    int Width() const;
    int Height() const;
    bool Empty() const;
    void SetSize(int width, int height);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    TCanvas& Canvas();

    const QImage& Image() const { return *image_; }
    QImage& Image() { return *image_; }

private:
    std::unique_ptr<QImage> image_;
    std::unique_ptr<TCanvas> canvas_;
    int deviceBitsPerPixel_ = 0;  // 0: the image's format tells
};

class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Deep copy of the source's size and pixels; then tells the owner.
    void Assign(const TPicture& source);
    void Assign(const TBitmap& source);

    const TBitmap* Bitmap() const { return bitmap_.get(); }
    int Width() const;
    int Height() const;

    TMethod<> OnChange;

private:
    std::unique_ptr<TBitmap> bitmap_;
};

}  // namespace veilix
