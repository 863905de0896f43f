#pragma once
// The chunk walk of a PNG stream: the signature, every chunk's check value
// and order, and what the decoder needs of them.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace veilix {

struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bit_depth = 0;
    std::uint8_t colour_type = 0;
    std::uint8_t interlace = 0;
};

// What the chunk walk finds: the header, the data of the first run of
// consecutive IDAT chunks (views into the stream, not copies) and the gAMA
// value that precedes the image data, if any.
struct PngLayout {
    PngHeader header;
    std::vector<std::span<const std::uint8_t>> image_data;
    std::uint64_t image_data_size = 0;
    std::optional<std::uint32_t> gamma;
};

// Checks the signature and every chunk up to IEND (check values, order,
// header fields); throws PngDecodeError on the first fault.
PngLayout ReadPngChunks(std::span<const std::uint8_t> stream);

}  // namespace veilix
