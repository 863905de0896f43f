#pragma once
// Every place where Qt calls into the framework goes through Guarded: nothing
// is ever thrown through Qt. Failures go to the handler the application object
// registered at start-up.
#include <exception>
#include <functional>

namespace veilix {

class TComponent;

using FailureHandler = std::function<void(std::exception_ptr failure, TComponent* sender)>;

void SetFailureHandler(FailureHandler handler);

// Hands a failure to the registered handler; never throws.
void DeliverFailure(std::exception_ptr failure, TComponent* sender) noexcept;

template <typename Function>
void Guarded(TComponent* sender, Function&& function) noexcept {
    try {
        function();
    } catch (...) {
        DeliverFailure(std::current_exception(), sender);
    }
}

}  // namespace veilix
