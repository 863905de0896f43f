#pragma once
// What the decoder yields: a picture's pixels as bytes.

#include <cstdint>
#include <vector>

namespace veilix {

// A decoded shape template: 3 bytes (red, green, blue) a pixel, rows from the top.
struct TemplatePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

}  // namespace veilix
