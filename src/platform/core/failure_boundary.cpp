#include "platform/core/failure_boundary.h"

#include <cstdio>

#include "platform/core/exception.h"

namespace veilix {

namespace {
FailureHandler& Handler() {
    static FailureHandler handler;
    return handler;
}

void ReportToStandardError(std::exception_ptr failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "veilix: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "veilix: unknown failure\n");
    }
}
}  // namespace

void SetFailureHandler(FailureHandler handler) { Handler() = std::move(handler); }

void DeliverFailure(std::exception_ptr failure, TComponent* sender) noexcept {
    const std::exception_ptr normalized = AsFrameworkFailure(failure);
    if (!Handler()) {
        ReportToStandardError(normalized);
        return;
    }
    try {
        Handler()(normalized, sender);
    } catch (...) {
        // The failure display itself failed (out of memory while showing it):
        // the last resort is the terminal, never Qt.
        ReportToStandardError(std::current_exception());
    }
}

}  // namespace veilix
