#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veilix {

struct TemplateFile {
    std::string name;  // e.g. "circle.png"
    std::vector<std::uint8_t> png;
};

// The stored PNG streams of the rectangle, ellipse and circle templates.
std::vector<TemplateFile> BuildTemplateFiles();

}  // namespace veilix
