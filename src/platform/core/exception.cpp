#include "platform/core/exception.h"

#include <new>

namespace veilix {

std::exception_ptr AsFrameworkFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception&) {
        return failure;
    } catch (const std::bad_alloc&) {
        return std::make_exception_ptr(EOutOfMemory());
    } catch (const std::exception& e) {
        return std::make_exception_ptr(Exception(std::string("Exception externe ") + e.what()));
    } catch (...) {
        return std::make_exception_ptr(Exception("Exception externe"));
    }
}

}  // namespace veilix
