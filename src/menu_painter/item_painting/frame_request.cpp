#include <cstdint>

#include "menu_painter/item_painting/item_painter.h"
#include "platform/forms/form.h"
#include "platform/messages/hidden_window.h"

namespace veilix {

namespace {

// One request serves every item painted before it is handled, so a menu of
// many items asks for its frame once.
bool FrameRequestQueued(TWindowHandle application) {
    return IsMessageQueued(application, MsgFrameByItem, MsgFrameByWindow);
}

}  // namespace

void TFlatMenuItemPainter::RequestFrame(TMenuItem& item, const TCanvas& target, bool rightToLeft) const {
    if (!menu_.flatMenu_ || (menu_.ComponentState() & csDesigning) != 0) return;
    const TWindowHandle application = ApplicationHandle();
    const TWindowHandle window = target.WindowHandle;
    if (window != 0) {
        const TForm* owner = menu_.ownerForm_;
        if (owner != nullptr && window == owner->Handle()) return;
        if (!FrameRequestQueued(application))
            PostMessage(application, MsgFrameByWindow, rightToLeft ? 1 : 0, std::intptr_t(window));
        return;
    }
    // An off-screen surface: the hook finds the menu window from the item.
    if (application != 0 && !FrameRequestQueued(application))
        PostMessage(application, MsgFrameByItem, 0, reinterpret_cast<std::intptr_t>(&item));
}

}  // namespace veilix
