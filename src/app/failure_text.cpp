#include "app/failure_text.h"

#include <new>

#include "platform/core/exception.h"

namespace veilix {

std::string FailureDisplayText(const Exception& failure) {
    std::string text = failure.Message();
    const Exception* innermost = &failure;
    while (innermost->InnerException()) innermost = innermost->InnerException();
    if (innermost != &failure && !innermost->Message().empty()) text = innermost->Message();
    // Compared as bytes: every byte of a multi-byte UTF-8 character is above '.'.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    return text;
}

std::exception_ptr StartupFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception&) {
        return failure;
    } catch (const std::bad_alloc&) {
        return std::make_exception_ptr(EOutOfMemory());
    } catch (...) {
        return std::make_exception_ptr(Exception());
    }
}

}  // namespace veilix
