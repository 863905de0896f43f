#pragma once
// Rounding to the nearest integer with halves going to the even neighbour, the
// rule item measuring and the separator line are laid out with.
#include <cmath>

namespace veilix {

inline int RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest > 0.5) return int(down) + 1;
    if (rest < 0.5) return int(down);
    return int(down) + (int(down) % 2 != 0 ? 1 : 0);
}

}  // namespace veilix
