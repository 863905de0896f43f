#pragma once
// The application's hidden window: a message target that belongs to no screen
// window. Messages posted to it wait in order and are delivered later from the
// event loop, first to every hook in the order they were hooked.
#include <cstdint>

#include "platform/core/method.h"
#include "platform/messages/window_messages.h"

namespace veilix {

// Set the bool to report the message handled: later hooks and the normal
// handling then do not see it.
using TWindowHook = TMethod<TMessage&, bool&>;

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
