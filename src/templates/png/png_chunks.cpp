#include "templates/png/png_chunks.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "templates/png/png_bytes.h"
#include "templates/png/png_decode_error.h"

namespace veilix {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr std::uint32_t kMaxChunkLength = 0x7fffffffu;
constexpr std::uint32_t kMaxDimension = 65535;
constexpr std::size_t kChunkOverhead = 12;  // length, type, check value

struct Chunk {
    std::string_view type;
    std::span<const std::uint8_t> data;
};

[[noreturn]] void Fail(const std::string& reason) { throw PngDecodeError(reason); }

bool IsLetter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsCritical(std::string_view type) { return type[0] >= 'A' && type[0] <= 'Z'; }

// The type as text for messages, with bytes outside printable ASCII escaped.
std::string PrintableType(const std::uint8_t* p) {
    std::string out;
    for (int i = 0; i < 4; ++i) {
        if (p[i] >= 0x20 && p[i] < 0x7f) {
            out += static_cast<char>(p[i]);
        } else {
            out += "\\x";
            out += "0123456789abcdef"[p[i] >> 4];
            out += "0123456789abcdef"[p[i] & 15];
        }
    }
    return out;
}

std::uint32_t CheckValue(const std::uint8_t* type_and_data, std::size_t size) {
    // zlib's crc32 takes a uInt length; chunk data is at most 2^31 - 1 bytes.
    return static_cast<std::uint32_t>(crc32(0, type_and_data, static_cast<uInt>(size)));
}

// Reads the chunk at `pos`, verifying its length, type and check value.
Chunk ReadChunk(std::span<const std::uint8_t> stream, std::size_t pos) {
    const std::size_t left = stream.size() - pos;
    if (left < kChunkOverhead) Fail("stream ends before IEND");
    const std::uint8_t* p = stream.data() + pos;
    const std::uint32_t length = ReadBigEndian32(p);
    const std::string type = PrintableType(p + 4);
    if (!std::all_of(p + 4, p + 8, IsLetter)) Fail("invalid chunk type " + type);
    if (length > kMaxChunkLength) Fail("length too large in chunk " + type);
    if (length > left - kChunkOverhead) Fail("stream ends before IEND, inside chunk " + type);
    if (CheckValue(p + 4, length + 4) != ReadBigEndian32(p + 8 + length)) {
        Fail("bad check value in chunk " + type);
    }
    return {std::string_view(reinterpret_cast<const char*>(p + 4), 4), {p + 8, length}};
}

bool IsValidCombination(std::uint8_t colour_type, std::uint8_t depth) {
    switch (colour_type) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6: return depth == 8 || depth == 16;
        default: return false;
    }
}

PngHeader ReadHeader(std::span<const std::uint8_t> data) {
    if (data.size() < 13) Fail("IHDR chunk shorter than 13 bytes");
    PngHeader h;
    h.width = ReadBigEndian32(data.data());
    h.height = ReadBigEndian32(data.data() + 4);
    h.bit_depth = data[8];
    h.colour_type = data[9];
    h.interlace = data[12];
    if (h.width == 0 || h.height == 0) Fail("zero width or height in chunk IHDR");
    if (h.width > kMaxDimension) Fail("width " + std::to_string(h.width) + " exceeds 65535 in chunk IHDR");
    if (h.height > kMaxDimension) Fail("height " + std::to_string(h.height) + " exceeds 65535 in chunk IHDR");
    if (data[10] != 0) Fail("unknown compression method " + std::to_string(data[10]) + " in chunk IHDR");
    if (data[11] != 0) Fail("unknown filter method " + std::to_string(data[11]) + " in chunk IHDR");
    if (h.interlace > 1) Fail("unknown interlace method " + std::to_string(h.interlace) + " in chunk IHDR");
    if (!IsValidCombination(h.colour_type, h.bit_depth)) {
        Fail("invalid colour type " + std::to_string(h.colour_type) + " with bit depth " + std::to_string(h.bit_depth) +
             " in chunk IHDR");
    }
    return h;
}

enum class ImageDataState { kNotYet, kInRun, kDone };

class ChunkWalk {
public:
    explicit ChunkWalk(std::span<const std::uint8_t> stream) : stream_(stream) {}

    PngLayout Run() {
        if (stream_.size() < kSignature.size() || !std::equal(kSignature.begin(), kSignature.end(), stream_.begin())) {
            Fail("bad signature");
        }
        std::size_t pos = kSignature.size();
        for (bool first = true;; first = false) {
            const Chunk chunk = ReadChunk(stream_, pos);
            pos += kChunkOverhead + chunk.data.size();
            if (first != (chunk.type == "IHDR")) {
                Fail(first ? "first chunk is not IHDR but " + std::string(chunk.type) : "second IHDR chunk");
            }
            if (chunk.type == "IEND") break;
            Take(chunk);
        }
        if (layout_.image_data.empty()) Fail("no IDAT chunk");
        return std::move(layout_);
    }

private:
    void Take(const Chunk& chunk) {
        const bool image_data = chunk.type == "IDAT";
        if (state_ == ImageDataState::kInRun && !image_data) state_ = ImageDataState::kDone;
        if (image_data) {
            // IDAT chunks after the first run are not part of the image.
            if (state_ == ImageDataState::kDone) return;
            state_ = ImageDataState::kInRun;
            layout_.image_data.push_back(chunk.data);
            layout_.image_data_size += chunk.data.size();
        } else if (chunk.type == "IHDR") {
            layout_.header = ReadHeader(chunk.data);
        } else if (chunk.type == "gAMA") {
            // Only a well-formed gAMA ahead of the image data counts, the first one.
            if (chunk.data.size() == 4 && state_ == ImageDataState::kNotYet && !layout_.gamma) {
                layout_.gamma = ReadBigEndian32(chunk.data.data());
            }
        } else if (chunk.type == "PLTE") {
            // A suggested palette is allowed in truecolour images and not needed to decode them.
        } else if (IsCritical(chunk.type)) {
            Fail("unknown critical chunk " + std::string(chunk.type));
        }
    }

    std::span<const std::uint8_t> stream_;
    PngLayout layout_;
    ImageDataState state_ = ImageDataState::kNotYet;
};

}  // namespace

PngLayout ReadPngChunks(std::span<const std::uint8_t> stream) { return ChunkWalk(stream).Run(); }

}  // namespace veilix
