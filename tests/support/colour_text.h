#pragma once
// A colour as text, "(r, g, b)", for comparisons whose failures should read
// as colours and for messages. A reference to a system colour is marked, so
// it never passes for the plain colour it resolves to.
#include <string>

#include "platform/core/types.h"

namespace veilix::testing {

inline std::string Rgb(TColor c) {
    return "(" + std::to_string(RedOf(c)) + ", " + std::to_string(GreenOf(c)) + ", " + std::to_string(BlueOf(c)) +
           (c >> 24 ? ") ref" : ")");
}

}  // namespace veilix::testing
