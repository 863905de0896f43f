#pragma once

// Builds small PNG streams, well-formed or deliberately broken, for decoder tests.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace veilix::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutBigEndian32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline Bytes BigEndian32(std::uint32_t v) {
    Bytes out;
    PutBigEndian32(out, v);
    return out;
}

inline Bytes Signature() { return {137, 80, 78, 71, 13, 10, 26, 10}; }

inline void WriteBigEndian32(std::uint8_t* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// One chunk with a correct check value. The buffer is sized once and filled in
// place: growing it push by push and then inserting made GCC 12 at -O3 lose
// track of its size and report copies past its end that never happen.
inline Bytes Chunk(std::string_view type, const Bytes& data) {
    const std::size_t body = type.size() + data.size();  // what the check value covers
    Bytes out(4 + body + 4);
    WriteBigEndian32(out.data(), static_cast<std::uint32_t>(data.size()));
    std::uint8_t* const typeAt = out.data() + 4;
    std::copy(type.begin(), type.end(), typeAt);
    std::copy(data.begin(), data.end(), typeAt + type.size());
    const uLong crc = crc32(0, typeAt, static_cast<uInt>(body));
    WriteBigEndian32(typeAt + body, static_cast<std::uint32_t>(crc));
    return out;
}

struct Header {
    std::uint32_t width = 1;
    std::uint32_t height = 1;
    std::uint8_t bit_depth = 8;
    std::uint8_t colour_type = 2;
    std::uint8_t compression = 0;
    std::uint8_t filter = 0;
    std::uint8_t interlace = 0;
};

inline Bytes HeaderData(const Header& h) {
    Bytes data = BigEndian32(h.width);
    PutBigEndian32(data, h.height);
    data.insert(data.end(), {h.bit_depth, h.colour_type, h.compression, h.filter, h.interlace});
    return data;
}

inline Bytes Zlib(const Bytes& raw, int level = 6) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level) != Z_OK) {
        throw std::runtime_error("compress2 failed");
    }
    out.resize(size);
    return out;
}

// Signature followed by the given chunks.
inline Bytes Stream(const std::vector<Bytes>& chunks) {
    Bytes out = Signature();
    for (const Bytes& c : chunks) out.insert(out.end(), c.begin(), c.end());
    return out;
}

// Varied, reproducible bytes; not a zlib stream, whatever the seed.
inline Bytes Noise(std::size_t size, std::uint32_t seed = 12345) {
    Bytes out(size);
    for (auto& s : out) {
        seed = seed * 1103515245u + 12345u;
        s = static_cast<std::uint8_t>(seed >> 16);
    }
    return out;
}

// An RGB picture with varied, reproducible samples.
inline Bytes PatternRgb(int width, int height) { return Noise(static_cast<std::size_t>(width) * height * 3); }

// zlib output at level 9 for `zeros` zero bytes from a fresh stream, ended by
// a full flush: the 2-byte header, then byte-aligned blocks that refer to
// nothing before them.
inline Bytes FlushedZeros(std::size_t zeros) {
    z_stream zs{};
    if (deflateInit(&zs, 9) != Z_OK) throw std::runtime_error("deflateInit failed");
    Bytes in(zeros, 0);
    Bytes out(deflateBound(&zs, static_cast<uLong>(zeros)) + 16);
    zs.next_in = in.data();
    zs.avail_in = static_cast<uInt>(in.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&zs, Z_FULL_FLUSH);
    const bool done = status == Z_OK && zs.avail_in == 0 && zs.avail_out > 0;
    out.resize(out.size() - zs.avail_out);
    deflateEnd(&zs);
    if (!done) throw std::runtime_error("deflate did not finish");
    return out;
}

// A zlib stream of `count` zero bytes, level 9: what a picture of zero rows
// compresses to, about 1/1030 of its size. Deflating gigabytes would take a
// minute, so a 4 MiB piece is deflated once and its blocks repeated; they can
// follow any data since they refer to nothing before them.
inline Bytes ZlibOfZeros(std::uint64_t count) {
    constexpr std::size_t kPiece = std::size_t{4} << 20;
    const Bytes piece = FlushedZeros(kPiece);
    const Bytes rest = FlushedZeros(static_cast<std::size_t>(count % kPiece));
    Bytes out(piece.begin(), piece.begin() + 2);  // the zlib header
    for (std::uint64_t i = 0; i < count / kPiece; ++i) out.insert(out.end(), piece.begin() + 2, piece.end());
    out.insert(out.end(), rest.begin() + 2, rest.end());
    out.insert(out.end(), {0x03, 0x00});  // an empty final block with fixed codes
    // Adler-32 of zeros: the byte sum stays 1 and the running sum counts them.
    PutBigEndian32(out, static_cast<std::uint32_t>((count % 65521) << 16 | 1));
    return out;
}

inline int PaethPredictor(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// Filters every row of `rgb` with filter_of_row(y) (0 None .. 4 Paeth).
template <typename FilterOfRow>
Bytes FilterRows(const Bytes& rgb, int width, int height, FilterOfRow filter_of_row) {
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
    Bytes out;
    for (int y = 0; y < height; ++y) {
        const int type = filter_of_row(y);
        out.push_back(static_cast<std::uint8_t>(type));
        for (std::size_t i = 0; i < row_bytes; ++i) {
            const int x = rgb[y * row_bytes + i];
            const int a = i >= 3 ? rgb[y * row_bytes + i - 3] : 0;
            const int b = y > 0 ? rgb[(y - 1) * row_bytes + i] : 0;
            const int c = (y > 0 && i >= 3) ? rgb[(y - 1) * row_bytes + i - 3] : 0;
            const int predicted = type == 1   ? a
                                  : type == 2 ? b
                                  : type == 3 ? (a + b) / 2
                                  : type == 4 ? PaethPredictor(a, b, c)
                                              : 0;
            out.push_back(static_cast<std::uint8_t>(x - predicted));
        }
    }
    return out;
}

// A complete 8-bit truecolour stream for `rgb`, every row filtered with `filter`.
inline Bytes TruecolourPng(const Bytes& rgb, int width, int height, int filter = 0) {
    const Header h{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    const Bytes rows = FilterRows(rgb, width, height, [filter](int) { return filter; });
    return Stream({Chunk("IHDR", HeaderData(h)), Chunk("IDAT", Zlib(rows)), Chunk("IEND", {})});
}

// Where one chunk sits inside a stream.
struct ChunkPlace {
    std::size_t offset = 0;  // of its length field
    std::uint32_t length = 0;
    std::size_t data() const { return offset + 8; }
    std::size_t end() const { return offset + 12 + length; }
};

// The chunk whose length field starts at `offset`.
inline ChunkPlace FindChunkAt(const Bytes& stream, std::size_t offset) {
    if (offset + 12 > stream.size()) throw std::runtime_error("no chunk there");
    const std::uint32_t length = (std::uint32_t{stream[offset]} << 24) | (std::uint32_t{stream[offset + 1]} << 16) |
                                 (std::uint32_t{stream[offset + 2]} << 8) | stream[offset + 3];
    return {offset, length};
}

// Finds the first chunk of `type` in a well-formed stream.
inline ChunkPlace FindChunk(const Bytes& stream, std::string_view type) {
    for (std::size_t pos = 8; pos + 12 <= stream.size();) {
        const ChunkPlace c = FindChunkAt(stream, pos);
        if (std::string_view(reinterpret_cast<const char*>(&stream[pos + 4]), 4) == type) return c;
        pos = c.end();
    }
    throw std::runtime_error("chunk not found");
}

}  // namespace veilix::test
