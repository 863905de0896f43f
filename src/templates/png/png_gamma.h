#pragma once
// The gamma correction a gAMA chunk asks for, as a table over 8-bit samples.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace veilix {

using GammaTable = std::array<std::uint8_t, 256>;

// The sample mapping for a gAMA value g: entry s is
// 255 * (s / 255) ^ (1 / (2.2 * g / 100000)), rounded. Returns nullopt when
// that table is the identity (always without gAMA or with g = 0), so the
// caller can skip the mapping pass.
std::optional<GammaTable> GammaTableFor(std::optional<std::uint32_t> gamma);

void ApplyGamma(const GammaTable& table, std::span<std::uint8_t> samples);

}  // namespace veilix
