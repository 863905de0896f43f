#include "templates/template_streams.h"

#include <cstddef>

namespace veilix {
namespace embedded {
// Defined in sources generated at build time from data/*.png.
extern const std::uint8_t kRectanglePng[];
extern const std::size_t kRectanglePngSize;
extern const std::uint8_t kEllipsePng[];
extern const std::size_t kEllipsePngSize;
extern const std::uint8_t kCirclePng[];
extern const std::size_t kCirclePngSize;
}  // namespace embedded

std::span<const std::uint8_t> RectangleTemplatePng() { return {embedded::kRectanglePng, embedded::kRectanglePngSize}; }
std::span<const std::uint8_t> EllipseTemplatePng() { return {embedded::kEllipsePng, embedded::kEllipsePngSize}; }
std::span<const std::uint8_t> CircleTemplatePng() { return {embedded::kCirclePng, embedded::kCirclePngSize}; }

}  // namespace veilix
