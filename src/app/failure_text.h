#pragma once
// The text the failure display shows for a failure.
#include <exception>
#include <string>

namespace veilix {

class Exception;

// The innermost non-empty message, with "." appended when the last character's
// code is greater than that of ".".
std::string FailureDisplayText(const Exception& failure);

// What the entry routine's guard shows for whatever escaped start-up: an
// Exception as it is, a failed allocation as "Mémoire insuffisante", anything
// else as an empty message.
std::exception_ptr StartupFailure(std::exception_ptr failure);

}  // namespace veilix
