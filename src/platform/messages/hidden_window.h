#pragma once
// The application's hidden window: a message target that belongs to no screen
// window. Messages posted to it wait in order and are delivered later from the
// event loop, first to every hook in the order they were hooked.
#include <cstdint>

#include "platform/core/method.h"

class QWidget;

namespace veilix {

// A window as the message functions see it; 0 is none. A widget's handle is
// its address: asking for it never makes a native window.
using TWindowHandle = std::uintptr_t;

struct TMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

// Set the bool to report the message handled: later hooks and the normal
// handling then do not see it.
using TWindowHook = TMethod<TMessage&, bool&>;

TWindowHandle HandleOf(const QWidget* widget);

// The hidden window; 0 while there is no application object to deliver for it.
TWindowHandle ApplicationHandle();

void HookMainWindow(const TWindowHook& hook);
// Safe while a message is being delivered: the hook is not called again.
void UnhookMainWindow(const TWindowHook& hook);

// Queues a message for the hidden window; false for any other window, or when
// there is none.
bool PostMessage(TWindowHandle window, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);
// Whether a message numbered first to last waits for the window; the queue is
// looked at, not changed.
bool IsMessageQueued(TWindowHandle window, unsigned first, unsigned last);

}  // namespace veilix
