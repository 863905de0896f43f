#include "template_files.h"

#include "template_png_writer.h"
#include "template_shapes.h"

namespace veilix {

std::vector<TemplateFile> BuildTemplateFiles() {
    return {
        {"rectangle.png", WriteTemplatePng(RectangleTemplate(), false)},
        {"ellipse.png", WriteTemplatePng(EllipseTemplate(), true)},
        {"circle.png", WriteTemplatePng(CircleTemplate(), true)},
    };
}

}  // namespace veilix
