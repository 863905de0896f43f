#pragma once
// What the menu painter asks of the operating system's version. Our platforms
// all count as the NT family and none as version 5.1; tests can pretend
// otherwise.
#include <optional>

namespace veilix {

struct TOSVersionTraits {
    bool NTFamily = true;
    bool Version51 = false;  // of the NT family and exactly 5.1
};

TOSVersionTraits OSVersionTraits();
// Replaces the answer until reset with nullopt.
void SetOSVersionTraits(std::optional<TOSVersionTraits> traits);

}  // namespace veilix
