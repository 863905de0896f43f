#pragma once
// TFlatMenuManager: what all painters of the program share. It keeps the
// painters in registration order, picks the one serving painter for the work
// bound to no single window (frame requests, styling forms without a painter
// of their own) and hands that role on when the serving painter goes.
#include <functional>
#include <vector>

#include "platform/core/component.h"
#include "platform/messages/hidden_window.h"

namespace veilix {

class TFlatMenu;
class TForm;

// Work that other parts of the painter do for the manager; each may be empty.
struct TFlatMenuManagerDelegates {
    // A frame request reached the hidden window; empty: the serving painter
    // paints the frame it asks for.
    std::function<void(const TMessage& request)> FrameRequest;
    // Replace the styling of windowed controls (tests): the serving role
    // moves from one painter to another, passing the styled-control records
    // of from to to, except those of controls inside the leaving painter's
    // window (none when no painter leaves).
    std::function<void(TFlatMenu& from, TFlatMenu& to, TForm* leavingWindow)> PassControlRecords;
    // Nobody serves any more: the controls styled inside container get their
    // own look back. Empty: the real styling does both.
    std::function<void(TComponent* container)> RestoreControls;
};
TFlatMenuManagerDelegates& FlatMenuManagerDelegates();

class TFlatMenuManager {
public:
    // Hooks the application's hidden window and listens to the screen's forms.
    TFlatMenuManager();
    ~TFlatMenuManager();
    TFlatMenuManager(const TFlatMenuManager&) = delete;
    TFlatMenuManager& operator=(const TFlatMenuManager&) = delete;

    const std::vector<TFlatMenu*>& Painters() const { return painters_; }
    const std::vector<TForm*>& PendingForms() const { return pendingForms_; }
    const std::vector<TForm*>& DoneContainers() const { return doneContainers_; }
    TFlatMenu* ServingPainter() const { return servingPainter_; }

    void RegisterPainter(TFlatMenu* painter);
    void UnregisterPainter(TFlatMenu* painter);
    // The first registered painter that is active, subclasses and is not
    // excluded; none without one.
    TFlatMenu* FindSuccessor(const TFlatMenu* excluded) const;
    // Passes the serving role on from painter (none: from nobody).
    void HandOver(TFlatMenu* painter);
    // Queues the screen's forms that nobody styles yet.
    void ScanForms();
    void FormNotified(TComponent* component, TOperation operation);
    // Sees every message of the hidden window first; never handles it.
    void AppWindowHook(TMessage& message, bool& handled);

private:
    void FormCameOrWent(TForm& form, TOperation operation);
    void StylePendingForms();

    std::vector<TFlatMenu*> painters_;
    std::vector<TForm*> pendingForms_;
    std::vector<TForm*> doneContainers_;
    TFlatMenu* servingPainter_ = nullptr;
};

// The one manager of the program, or none.
TFlatMenuManager* FlatMenuManager();
TFlatMenuManager& EnsureFlatMenuManager();
void DestroyFlatMenuManager();

}  // namespace veilix
