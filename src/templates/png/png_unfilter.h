#pragma once
// Undoing the row filters of PNG image data.

#include <cstddef>
#include <cstdint>

namespace veilix {

// Reverses the PNG row filter for 3 bytes a pixel: `filtered` holds the row's
// bytes after its filter-type byte, `above` the previous unfiltered row (all
// zeros for the first row), `out` receives the row. Returns false for an
// unknown filter type. The three ranges must not overlap.
bool UnfilterRgbRow(std::uint8_t filter_type, const std::uint8_t* filtered, const std::uint8_t* above,
                    std::uint8_t* out, std::size_t row_bytes);

}  // namespace veilix
