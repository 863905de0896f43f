#include "templates/png/png_image_data.h"

#include <algorithm>
#include <string>

#include "templates/png/png_decode_error.h"
#include "templates/png/png_inflate.h"
#include "templates/png/png_unfilter.h"

namespace veilix {
namespace {

// Deflate yields at most 258 bytes for every two bits it reads, so no stream
// inflates to more than 1032 times its size. A stream too short for the image
// it claims is refused before any of it is inflated.
constexpr std::uint64_t kMaxInflateRatio = 1032;

// Rows are inflated a band at a time into a small buffer that stays in cache
// while the band is unfiltered into the picture.
constexpr std::size_t kBandBytes = 64 * 1024;

// The picture's storage starts at 1 MiB and grows eightfold at a time, capped
// at the whole picture. Only rows that have arrived are ever touched, and the
// copies made when it grows add up to a small part of the picture.
constexpr std::size_t kFirstStorageBytes = std::size_t{1} << 20;
constexpr std::size_t kStorageGrowth = 8;

// Makes `rgb` hold `size` bytes, of at most `full`.
void GrowTo(std::vector<std::uint8_t>& rgb, std::size_t size, std::size_t full) {
    if (size > rgb.capacity()) {
        rgb.reserve(std::min(full, std::max({size, kFirstStorageBytes, rgb.capacity() * kStorageGrowth})));
    }
    rgb.resize(size);
}

}  // namespace

std::vector<std::uint8_t> ReadRgbRows(const PngLayout& layout) {
    const std::size_t row_bytes = std::size_t{3} * layout.header.width;
    const std::size_t filtered_row = row_bytes + 1;
    const std::size_t height = layout.header.height;
    if (std::uint64_t{height} * filtered_row > layout.image_data_size * kMaxInflateRatio) {
        throw PngDecodeError("image data ends before the image is complete in IDAT");
    }
    const std::size_t full = height * row_bytes;
    const std::size_t band_rows = std::max<std::size_t>(1, kBandBytes / filtered_row);
    std::vector<std::uint8_t> band(std::min(band_rows, height) * filtered_row);
    const std::vector<std::uint8_t> zero_row(row_bytes, 0);
    std::vector<std::uint8_t> rgb;
    ImageDataInflater inflater(layout.image_data);
    for (std::size_t first = 0; first < height; first += band_rows) {
        const std::size_t rows = std::min(band_rows, height - first);
        inflater.Read({band.data(), rows * filtered_row});
        GrowTo(rgb, (first + rows) * row_bytes, full);
        for (std::size_t r = 0; r < rows; ++r) {
            const std::size_t y = first + r;
            const std::uint8_t* in = band.data() + r * filtered_row;
            // The row above is the only earlier part of the picture unfiltering needs.
            const std::uint8_t* above = y == 0 ? zero_row.data() : rgb.data() + (y - 1) * row_bytes;
            if (!UnfilterRgbRow(in[0], in + 1, above, rgb.data() + y * row_bytes, row_bytes)) {
                throw PngDecodeError("unknown filter type " + std::to_string(in[0]) + " in row " + std::to_string(y) +
                                     " of IDAT");
            }
        }
    }
    inflater.Finish();
    return rgb;
}

}  // namespace veilix
