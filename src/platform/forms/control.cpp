#include "platform/forms/control.h"

#include "platform/forms/form.h"

namespace veilix {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TForm* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_) parent_->InsertControl(this);
}

void TControl::ChangeBound(std::int32_t& bound, std::int32_t value) {
    if (bound == value) return;
    Invalidate();
    bound = value;
    Invalidate();
}

void TControl::SetLeft(std::int32_t value) { ChangeBound(left_, value); }
void TControl::SetTop(std::int32_t value) { ChangeBound(top_, value); }
void TControl::SetWidth(std::int32_t value) { ChangeBound(width_, value); }
void TControl::SetHeight(std::int32_t value) { ChangeBound(height_, value); }

void TControl::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    if (parent_) parent_->ControlCursorChanged(this);
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    Invalidate();
    visible_ = visible;
    Invalidate();
}

void TControl::Invalidate() {
    if (parent_ && HasArea()) parent_->Invalidate(BoundsRect());
}

}  // namespace veilix
