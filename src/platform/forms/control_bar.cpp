#include "platform/forms/control_bar.h"

#include <vector>

namespace veilix {

TControlBar::TControlBar(TComponent* owner) : TComponent(owner) {
    // The owner announced the insertion while this was only a TComponent:
    // tell the others again now that they can see what was inserted.
    if (!owner) return;
    const std::vector<TComponent*> others = owner->Components();
    for (TComponent* other : others)
        if (other != this) other->Notification(this, TOperation::opInsert);
}

}  // namespace veilix
