#pragma once

#include "templates/png/template_picture.h"

namespace veilix {

// The pixels of the three built-in shape templates: lime (0, 255, 0) on
// black, with dark green edge shades (0, 8k, 0) on the curved rims.
TemplatePicture RectangleTemplate();
TemplatePicture EllipseTemplate();
TemplatePicture CircleTemplate();

}  // namespace veilix
