#include "platform/messages/hidden_window.h"

#include <algorithm>
#include <deque>
#include <vector>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>

#include "platform/core/failure_boundary.h"

namespace veilix {

namespace {

struct HiddenWindowState {
    std::vector<TWindowHook> hooks;
    std::deque<TMessage> queue;
};

// Never destroyed: the window below may outlive other statics when the
// application object is itself one.
HiddenWindowState& State() {
    static auto* state = new HiddenWindowState;
    return *state;
}

const QEvent::Type kDeliverOne = QEvent::Type(QEvent::registerEventType());

void Dispatch(TMessage& message) {
    // A hook may unhook itself or others while it runs: walk a copy and skip
    // whoever has left since.
    const std::vector<TWindowHook> hooks = State().hooks;
    for (const TWindowHook& hook : hooks) {
        if (std::ranges::find(State().hooks, hook) == State().hooks.end()) continue;
        bool handled = false;
        hook(message, handled);
        if (handled) return;
    }
}

// One queued event per posted message: Qt keeps them in order, nested loops
// (a menu's, a window move's) deliver them too.
class HiddenWindow : public QObject {
public:
    explicit HiddenWindow(QObject* parent) : QObject(parent) {}
    ~HiddenWindow() override { State().queue.clear(); }

protected:
    bool event(QEvent* event) override {
        if (event->type() != kDeliverOne) return QObject::event(event);
        DeliverNext();
        return true;
    }

private:
    static void DeliverNext() {
        auto& queue = State().queue;
        if (queue.empty()) return;
        TMessage message = queue.front();
        queue.pop_front();
        Guarded(nullptr, [&] { Dispatch(message); });
    }
};

QPointer<HiddenWindow>& Window() {
    static QPointer<HiddenWindow> window;
    return window;
}

HiddenWindow* EnsureWindow() {
    if (!Window() && QCoreApplication::instance()) Window() = new HiddenWindow(QCoreApplication::instance());
    return Window();
}

bool IsHiddenWindow(TWindowHandle window) { return window != 0 && window == ApplicationHandle(); }

}  // namespace

TWindowHandle HandleOf(const QWidget* widget) { return reinterpret_cast<TWindowHandle>(widget); }

TWindowHandle ApplicationHandle() { return reinterpret_cast<TWindowHandle>(EnsureWindow()); }

void HookMainWindow(const TWindowHook& hook) { State().hooks.push_back(hook); }

void UnhookMainWindow(const TWindowHook& hook) {
    auto& hooks = State().hooks;
    if (auto it = std::ranges::find(hooks, hook); it != hooks.end()) hooks.erase(it);
}

bool PostMessage(TWindowHandle window, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    if (!IsHiddenWindow(window)) return false;
    State().queue.push_back(TMessage{msg, wparam, lparam, 0});
    QCoreApplication::postEvent(Window(), new QEvent(kDeliverOne));
    return true;
}

bool IsMessageQueued(TWindowHandle window, unsigned first, unsigned last) {
    if (!IsHiddenWindow(window)) return false;
    return std::ranges::any_of(State().queue, [&](const TMessage& m) { return m.Msg >= first && m.Msg <= last; });
}

}  // namespace veilix
