#include "platform/component.h"

#include <algorithm>

namespace veilix {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->Insert(this);
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
