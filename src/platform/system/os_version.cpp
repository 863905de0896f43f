#include "platform/system/os_version.h"

namespace veilix {

namespace {
std::optional<TOSVersionTraits>& Replaced() {
    static std::optional<TOSVersionTraits> traits;
    return traits;
}
}  // namespace

TOSVersionTraits OSVersionTraits() { return Replaced().value_or(TOSVersionTraits{}); }

void SetOSVersionTraits(std::optional<TOSVersionTraits> traits) { Replaced() = traits; }

}  // namespace veilix
