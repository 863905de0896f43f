#pragma once
// The shape templates' PNG streams, built into the program.

#include <cstdint>
#include <span>

namespace veilix {

// The stored PNG streams of the three shape templates, built into the
// program from src/templates/data/. Decode them with DecodePng.
std::span<const std::uint8_t> RectangleTemplatePng();
std::span<const std::uint8_t> EllipseTemplatePng();
std::span<const std::uint8_t> CircleTemplatePng();

}  // namespace veilix
