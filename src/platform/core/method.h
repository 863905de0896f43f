#pragma once
// Event handlers as comparable method pointers (object + member), like the
// framework's events: two handlers are equal when they name the same member of
// the same object, so a component can clear a handler only when it is its own.
#include <array>
#include <cstring>
#include <type_traits>

namespace veilix {

template <typename... Args>
class TMethod {
public:
    TMethod() = default;

    template <typename T>
    TMethod(T* object, void (T::*member)(Args...)) : object_(object), invoke_(&Invoke<T>) {
        static_assert(sizeof(member) <= sizeof(member_), "member pointer too large");
        std::memcpy(member_.data(), &member, sizeof(member));
    }

    explicit operator bool() const { return invoke_ != nullptr; }

    void operator()(Args... args) const {
        if (invoke_) invoke_(object_, member_, args...);
    }

    const void* Object() const { return object_; }

    friend bool operator==(const TMethod& a, const TMethod& b) {
        return a.object_ == b.object_ && a.invoke_ == b.invoke_ && a.member_ == b.member_;
    }

private:
    using Storage = std::array<unsigned char, 2 * sizeof(void*)>;

    template <typename T>
    static void Invoke(void* object, const Storage& storage, Args... args) {
        void (T::*member)(Args...);
        std::memcpy(&member, storage.data(), sizeof(member));
        (static_cast<T*>(object)->*member)(args...);
    }

    void* object_ = nullptr;
    Storage member_{};
    void (*invoke_)(void*, const Storage&, Args...) = nullptr;
};

}  // namespace veilix
