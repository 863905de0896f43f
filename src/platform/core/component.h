#pragma once
// TComponent: owned, named components. An owner destroys what it owns, the
// last created first, and tells the others when one goes away.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/class_info.h"

namespace veilix {

enum class TOperation { opInsert, opRemove };

// Bits of ComponentState.
inline constexpr unsigned csLoading = 1u << 0;
inline constexpr unsigned csDesigning = 1u << 1;
inline constexpr unsigned csDestroying = 1u << 2;

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    int ComponentCount() const { return int(components_.size()); }

    std::string Name;
    std::intptr_t Tag = 0;

    // The class's name and ancestry, as the framework names them.
    virtual const TClassInfo& ClassInfo() const { return classes::Component; }
    std::string_view ClassName() const { return ClassInfo().Name; }

    unsigned ComponentState() const { return state_; }

    // Runs before the destructor, while the most derived object is still whole:
    // the place for handlers bound to members of derived classes.
    virtual void BeforeDestruction() {}
    // Called once the stored description has been applied.
    virtual void Loaded() { state_ &= ~csLoading; }
    // The end of building from a stored description: Loaded on this component,
    // then on each owned one made while it was loading, in creation order.
    void EndLoading();
    // Another component of the same owner was inserted or is being removed.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    void SetLoading(bool on) { state_ = on ? (state_ | csLoading) : (state_ & ~csLoading); }
    // Held by a form designer. The program runs in none, but what its
    // components do there can still be tried.
    void SetDesigning(bool on) { state_ = on ? (state_ | csDesigning) : (state_ & ~csDesigning); }
    void DestroyComponents();

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    unsigned state_ = 0;
};

// Destroys a component the framework's way: BeforeDestruction, then delete.
void FreeComponent(TComponent* component);

}  // namespace veilix
