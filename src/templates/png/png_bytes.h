#pragma once
// Reading the big-endian numbers of a PNG stream.

#include <cstdint>

namespace veilix {

inline std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
}

}  // namespace veilix
