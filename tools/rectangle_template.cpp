#include "template_canvas.h"
#include "template_shapes.h"

namespace veilix {

TemplatePicture RectangleTemplate() {
    // A lime 96 x 96 square inside a black frame two pixels wide.
    GreenCanvas canvas(100, 100);
    for (int y = 2; y <= 97; ++y) canvas.FillRun(y, {2, 97});
    return canvas.Take();
}

}  // namespace veilix
