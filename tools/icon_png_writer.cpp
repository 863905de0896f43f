#include "icon_png_writer.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace veilix {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutBigEndian32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(Bytes& out, std::string_view type, const Bytes& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

Bytes Deflate(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw std::runtime_error("deflate failed");
    out.resize(size);
    return out;
}

}  // namespace

std::vector<std::uint8_t> WriteIconPng(const IconRaster& raster) {
    if (raster.size <= 0 || raster.rgba.size() != std::size_t(raster.size) * std::size_t(raster.size) * 4)
        throw std::invalid_argument("icon raster has no pixels or the wrong number of them");
    Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
    Bytes header;
    PutBigEndian32(header, static_cast<std::uint32_t>(raster.size));
    PutBigEndian32(header, static_cast<std::uint32_t>(raster.size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // depth 8, RGBA, deflate, adaptive filters, no interlace
    PutChunk(out, "IHDR", header);
    // Filter type 0 on every row: the icon is mostly flat runs, which
    // deflate takes well as they are.
    const std::size_t rowBytes = std::size_t(raster.size) * 4;
    Bytes rows;
    rows.reserve((rowBytes + 1) * std::size_t(raster.size));
    for (int y = 0; y < raster.size; ++y) {
        rows.push_back(0);
        const auto row = raster.rgba.begin() + std::ptrdiff_t(y * rowBytes);
        rows.insert(rows.end(), row, row + std::ptrdiff_t(rowBytes));
    }
    PutChunk(out, "IDAT", Deflate(rows));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace veilix
