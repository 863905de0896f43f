#include "templates/template_holder.h"

#include "platform/core/exception.h"
#include "platform/graphics/bitmap.h"
#include "templates/png/png_decoder.h"
#include "templates/template_streams.h"

namespace veilix {

TForm2* Form2 = nullptr;

namespace {
TBitmap DecodeTemplate(std::span<const std::uint8_t> png) {
    try {
        const TemplatePicture picture = DecodePng(png);
        return TBitmap::FromRgb(picture.width, picture.height, picture.rgb.data());
    } catch (const PngDecodeError& e) {
        // The built-in streams always decode; a damaged build still fails cleanly.
        throw Exception(e.what());
    }
}
}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    SetLoading(true);
    Name = "Form2";
    SetCaption("Form2");
    SetClientWidth(358);
    SetClientHeight(276);
    Image1 = AddTemplateImage("Image1", 8, 8, RectangleTemplatePng());
    Image2 = AddTemplateImage("Image2", 8, 119, EllipseTemplatePng());
    Image3 = AddTemplateImage("Image3", 119, 8, CircleTemplatePng());
    EndLoading();
}

TImage* TForm2::AddTemplateImage(const char* name, int left, int top, std::span<const std::uint8_t> png) {
    auto* image = new TImage(this);
    image->Name = name;
    image->SetParent(this);
    image->SetLeft(left);
    image->SetTop(top);
    image->SetAutoSize(true);
    image->SetTransparent(true);
    image->Picture().Assign(DecodeTemplate(png));
    return image;
}

}  // namespace veilix
