#pragma once
// TImage: an image control that shows its own picture, stretched over its
// bounds when Stretch is set.
#include "platform/forms/control.h"
#include "platform/graphics/bitmap.h"

namespace veilix {

class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return classes::Image; }

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // Has no effect on pictures without an alpha channel or transparent
    // colour, which is all this program draws.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    void Paint(TCanvas& canvas, const TRect& clip) const override;
    std::optional<TColor> PixelAt(TPoint local) const override;
    // Stretched over its bounds, a picture without transparency covers them.
    bool Opaque() const override;

private:
    void PictureChanged();
    void ApplyAutoSize();
    TRect PictureRect() const;

    TPicture picture_;
    bool stretch_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

}  // namespace veilix
