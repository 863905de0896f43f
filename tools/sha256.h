#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace veilix {

// SHA-256 (FIPS 180-4) of `data`, as 64 lower-case hex digits.
std::string Sha256Hex(std::span<const std::uint8_t> data);

}  // namespace veilix
