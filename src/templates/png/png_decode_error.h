#pragma once
// The one error the PNG decoder raises.

#include <stdexcept>

namespace veilix {

// Raised for every stream the decoder rejects; the message names the reason
// and, where one is involved, the chunk.
class PngDecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace veilix
