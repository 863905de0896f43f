#include "menu_painter/flat_menu_manager.h"

#include <algorithm>

#include "menu_painter/control_styling.h"
#include "menu_painter/flat_menu.h"
#include "menu_painter/menu_frame.h"
#include "platform/forms/form.h"
#include "platform/forms/screen_forms.h"

namespace veilix {

namespace {

// Left alone at exit: painters destroy it, and a manager outliving them must
// not unhook from statics already gone.
TFlatMenuManager*& TheManager() {
    static TFlatMenuManager* manager = nullptr;
    return manager;
}

template <typename T>
bool Contains(const std::vector<T*>& list, const T* item) {
    return std::ranges::find(list, item) != list.end();
}

template <typename T>
void AddOnce(std::vector<T*>& list, T* item) {
    if (!Contains(list, item)) list.push_back(item);
}

bool OwnsAPainter(const TForm& form) {
    return std::ranges::any_of(form.Components(),
                               [](const TComponent* c) { return dynamic_cast<const TFlatMenu*>(c) != nullptr; });
}

bool IsFrameRequest(unsigned msg) { return msg == MsgFrameByItem || msg == MsgFrameByWindow; }

}  // namespace

TFlatMenuManagerDelegates& FlatMenuManagerDelegates() {
    static TFlatMenuManagerDelegates delegates;
    return delegates;
}

TFlatMenuManager::TFlatMenuManager() {
    HookMainWindow(TWindowHook(this, &TFlatMenuManager::AppWindowHook));
    SetFormListObserver([this](TForm& form, TOperation operation) { FormCameOrWent(form, operation); });
}

TFlatMenuManager::~TFlatMenuManager() {
    SetFormListObserver(nullptr);
    UnhookMainWindow(TWindowHook(this, &TFlatMenuManager::AppWindowHook));
}

void TFlatMenuManager::RegisterPainter(TFlatMenu* painter) {
    if (Contains(painters_, painter)) return;
    painters_.push_back(painter);
    if (TForm* owner = painter->OwnerForm()) AddOnce(doneContainers_, owner);
    if (!servingPainter_ && painter->Active() && !painter->DisableSubclassing()) {
        servingPainter_ = painter;
        ScanForms();
    }
}

void TFlatMenuManager::UnregisterPainter(TFlatMenu* painter) {
    if (servingPainter_ == painter) HandOver(painter);
    std::erase(painters_, painter);
}

TFlatMenu* TFlatMenuManager::FindSuccessor(const TFlatMenu* excluded) const {
    for (TFlatMenu* painter : painters_)
        if (painter != excluded && painter->Active() && !painter->DisableSubclassing()) return painter;
    return nullptr;
}

void TFlatMenuManager::HandOver(TFlatMenu* painter) {
    TFlatMenu* successor = FindSuccessor(painter);
    if (successor && !servingPainter_) {
        servingPainter_ = successor;
        ScanForms();
        return;
    }
    if (successor) {
        TForm* leavingWindow = painter ? painter->OwnerForm() : nullptr;
        if (auto& pass = FlatMenuManagerDelegates().PassControlRecords)
            pass(*servingPainter_, *successor, leavingWindow);
        else
            PassControlRecords(*servingPainter_, *successor, leavingWindow);
        servingPainter_ = successor;
        return;
    }
    pendingForms_.clear();
    if (MainForm()) {
        const TForm* leavingWindow = painter ? painter->OwnerForm() : nullptr;
        const auto& restore = FlatMenuManagerDelegates().RestoreControls;
        for (TForm* container : doneContainers_) {
            if (container == leavingWindow) continue;
            if (restore)
                restore(container);
            else
                RestoreControls(container);
        }
    }
    doneContainers_.clear();
    servingPainter_ = nullptr;
}

void TFlatMenuManager::ScanForms() {
    for (TForm* form : ScreenForms())
        if (!Contains(doneContainers_, form) && form->Tag != kExcludeTag && !OwnsAPainter(*form))
            AddOnce(pendingForms_, form);
}

void TFlatMenuManager::FormNotified(TComponent* component, TOperation operation) {
    if (!servingPainter_) return;
    auto* form = dynamic_cast<TForm*>(component);
    if (!form) return;
    if (operation == TOperation::opInsert) {
        AddOnce(pendingForms_, form);
    } else {
        std::erase(pendingForms_, form);
        std::erase(doneContainers_, form);
    }
}

void TFlatMenuManager::FormCameOrWent(TForm& form, TOperation operation) {
    if (operation == TOperation::opInsert) {
        FormNotified(&form, operation);
        return;
    }
    // Whoever serves: no list may keep a form that is gone.
    std::erase(pendingForms_, &form);
    std::erase(doneContainers_, &form);
}

void TFlatMenuManager::AppWindowHook(TMessage& message, bool& handled) {
    if (IsFrameRequest(message.Msg)) {
        if (auto& frame = FlatMenuManagerDelegates().FrameRequest)
            frame(message);
        else
            PaintRequestedFrame(message, servingPainter_);
    }
    if (!pendingForms_.empty()) StylePendingForms();
    handled = false;
}

void TFlatMenuManager::StylePendingForms() {
    // A form that cannot be styled must not disturb the message at hand.
    try {
        const std::vector<TForm*> pending = pendingForms_;
        for (TForm* form : pending) {
            if (Contains(doneContainers_, form)) continue;
            doneContainers_.push_back(form);
            if (servingPainter_) servingPainter_->AttachAll(form, true, true);
        }
    } catch (...) {
    }
    pendingForms_.clear();
}

TFlatMenuManager* FlatMenuManager() { return TheManager(); }

TFlatMenuManager& EnsureFlatMenuManager() {
    if (!TheManager()) TheManager() = new TFlatMenuManager;
    return *TheManager();
}

void DestroyFlatMenuManager() {
    TFlatMenuManager* manager = TheManager();
    TheManager() = nullptr;
    delete manager;
}

}  // namespace veilix
