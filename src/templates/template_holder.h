#pragma once
// TForm2: the template holder. Never shown; it owns the three decoded shape
// templates that the add commands copy into new holes.
#include <cstdint>
#include <span>
#include "platform/forms/form.h"

#include "platform/forms/image.h"

namespace veilix {

class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);

    TImage* Image1 = nullptr;  // rectangle
    TImage* Image2 = nullptr;  // ellipse
    TImage* Image3 = nullptr;  // circle

private:
    TImage* AddTemplateImage(const char* name, int left, int top, std::span<const std::uint8_t> png);
};

extern TForm2* Form2;

}  // namespace veilix
