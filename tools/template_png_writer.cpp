#include "template_png_writer.h"

#include <zlib.h>

#include <stdexcept>
#include <string_view>

namespace veilix {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kGamma = 45455;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi
constexpr std::string_view kSoftware = "Veilix template generator";

void PutBigEndian32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(Bytes& out, std::string_view type, const Bytes& data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t type_at = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + type_at, static_cast<uInt>(4 + data.size()));
    PutBigEndian32(out, static_cast<std::uint32_t>(crc));
}

Bytes HeaderData(const TemplatePicture& picture) {
    Bytes data;
    PutBigEndian32(data, static_cast<std::uint32_t>(picture.width));
    PutBigEndian32(data, static_cast<std::uint32_t>(picture.height));
    data.insert(data.end(), {8, 2, 0, 0, 0});  // depth 8, truecolour, deflate, adaptive filters, no interlace
    return data;
}

Bytes PhysicalSizeData() {
    Bytes data;
    PutBigEndian32(data, kPixelsPerMetre);
    PutBigEndian32(data, kPixelsPerMetre);
    data.push_back(1);  // unit: metre
    return data;
}

Bytes SoftwareText() {
    Bytes data;
    const std::string_view keyword = "Software";
    data.insert(data.end(), keyword.begin(), keyword.end());
    data.push_back(0);
    data.insert(data.end(), kSoftware.begin(), kSoftware.end());
    return data;
}

// Each row: filter type 1 (Sub), then every byte minus the byte three to its left.
Bytes SubFilteredRows(const TemplatePicture& picture) {
    const std::size_t row_bytes = static_cast<std::size_t>(picture.width) * 3;
    Bytes rows;
    rows.reserve((row_bytes + 1) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = picture.rgb.data() + y * row_bytes;
        rows.push_back(1);
        for (std::size_t i = 0; i < row_bytes; ++i) {
            rows.push_back(static_cast<std::uint8_t>(row[i] - (i >= 3 ? row[i - 3] : 0)));
        }
    }
    return rows;
}

Bytes Deflate(const Bytes& raw) {
    z_stream zs{};
    if (deflateInit2(&zs, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    Bytes out(deflateBound(&zs, raw.size()));
    zs.next_in = const_cast<Bytef*>(raw.data());
    zs.avail_in = static_cast<uInt>(raw.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    if (status != Z_STREAM_END) throw std::runtime_error("deflate failed");
    return out;
}

}  // namespace

std::vector<std::uint8_t> WriteTemplatePng(const TemplatePicture& picture, bool with_srgb) {
    Bytes out = {137, 80, 78, 71, 13, 10, 26, 10};
    PutChunk(out, "IHDR", HeaderData(picture));
    if (with_srgb) PutChunk(out, "sRGB", {0});  // rendering intent: perceptual
    Bytes gamma;
    PutBigEndian32(gamma, kGamma);
    PutChunk(out, "gAMA", gamma);
    PutChunk(out, "pHYs", PhysicalSizeData());
    PutChunk(out, "tEXt", SoftwareText());
    PutChunk(out, "IDAT", Deflate(SubFilteredRows(picture)));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace veilix
