#include "platform/core/component.h"

#include <algorithm>

namespace veilix {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    // Made while its owner is being built from a stored description: it is
    // part of that description and loads with it.
    if (owner_ && (owner_->state_ & csLoading)) state_ |= csLoading;
    if (owner_) owner_->Insert(this);
}

void TComponent::EndLoading() {
    Loaded();
    const std::vector<TComponent*> owned = components_;
    for (TComponent* component : owned)
        if (std::ranges::find(components_, component) != components_.end() && (component->state_ & csLoading))
            component->Loaded();
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    DestroyComponents();
    if (owner_) owner_->Remove(this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::DestroyComponents() {
    while (!components_.empty()) FreeComponent(components_.back());
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    for (TComponent* other : components_)
        if (other != component) other->Notification(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
    for (TComponent* other : components_) other->Notification(component, TOperation::opRemove);
    Notification(component, TOperation::opRemove);
}

void FreeComponent(TComponent* component) {
    if (!component) return;
    component->BeforeDestruction();
    delete component;
}

}  // namespace veilix
