#include "templates/png/png_gamma.h"

#include <cmath>

namespace veilix {
namespace {

// With exponent 1 + d, entry s moves by 255 x |x^d - 1| where x = s / 255,
// at most 255 * (1/e) * |d| * 1.03 for s from 1 to 254. Below this |d| that
// is under 0.49, so every entry rounds back to its index and the 256 powers
// need not be computed. 45455, the usual value, has |d| = 0.00001.
constexpr double kIdentityMargin = 0.005;

bool IsIdentity(const GammaTable& table) {
    for (int s = 0; s < 256; ++s) {
        if (table[s] != s) return false;
    }
    return true;
}

}  // namespace

std::optional<GammaTable> GammaTableFor(std::optional<std::uint32_t> gamma) {
    if (!gamma || *gamma == 0) return std::nullopt;
    const double exponent = 1.0 / (2.2 * *gamma / 100000.0);
    if (std::abs(exponent - 1.0) < kIdentityMargin) return std::nullopt;
    GammaTable table;
    for (int s = 0; s < 256; ++s) {
        table[s] = static_cast<std::uint8_t>(std::lround(255.0 * std::pow(s / 255.0, exponent)));
    }
    if (IsIdentity(table)) return std::nullopt;
    return table;
}

void ApplyGamma(const GammaTable& table, std::span<std::uint8_t> samples) {
    for (auto& s : samples) s = table[s];
}

}  // namespace veilix
