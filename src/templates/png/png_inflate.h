#pragma once
// Inflating a PNG stream's image data across its IDAT chunks.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace veilix {

// Inflates the zlib stream formed by the data of consecutive IDAT chunks,
// reading the chunks in place.
class ImageDataInflater {
public:
    explicit ImageDataInflater(const std::vector<std::span<const std::uint8_t>>& parts);
    ~ImageDataInflater();
    ImageDataInflater(const ImageDataInflater&) = delete;
    ImageDataInflater& operator=(const ImageDataInflater&) = delete;

    // Fills `out` completely; throws PngDecodeError when the data ends first or is corrupt.
    void Read(std::span<std::uint8_t> out);

    // Runs the stream to its end so its checksum is verified; data beyond the
    // image is ignored.
    void Finish();

private:
    struct State;

    void Refill();
    bool Exhausted() const;
    std::size_t Step(std::uint8_t* out, std::size_t size);

    std::unique_ptr<State> state_;
    const std::vector<std::span<const std::uint8_t>>& parts_;
    std::size_t next_part_ = 0;
    bool ended_ = false;
};

}  // namespace veilix
