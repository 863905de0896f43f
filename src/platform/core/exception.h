#pragma once
// The framework's failure types. Everything the program raises derives from
// Exception; EAbort is the silent one that is never shown.
#include <exception>
#include <memory>
#include <string>

namespace veilix {

class Exception : public std::exception {
public:
    explicit Exception(std::string message = {}) : message_(std::move(message)) {}
    Exception(std::string message, std::shared_ptr<const Exception> inner)
        : message_(std::move(message)), inner_(std::move(inner)) {}

    const std::string& Message() const { return message_; }
    const Exception* InnerException() const { return inner_.get(); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
    std::shared_ptr<const Exception> inner_;
};

class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

class EOutOfMemory : public Exception {
public:
    EOutOfMemory() : Exception("Mémoire insuffisante") {}
};

// A component was taken for a kind it is not.
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Transtypage de classe incorrect") {}
};

// A stored description that cannot be read back.
class EReadError : public Exception {
public:
    EReadError() : Exception("Erreur de lecture du flux") {}
    using Exception::Exception;
};

// Turns whatever escaped a handler into an Exception the way the framework does:
// an Exception stays itself, a failed allocation becomes "Mémoire insuffisante",
// any other failure an "Exception externe" with its own text.
std::exception_ptr AsFrameworkFailure(std::exception_ptr failure);

}  // namespace veilix
