#pragma once
// The thread's event loop as the application object sees it.
#include <functional>

namespace veilix {

// Runs the loop until a quit request is retrieved; returns its exit code.
int RunEventLoop();
// Posts the quit request behind the messages already queued.
void PostQuit(int exitCode);
// Ends every running loop, nested ones included, without waiting for the queue.
void ExitEventLoopsNow(int exitCode);
// Runs a call later, from the queue, guarded against failures.
void PostCall(std::function<void()> call);

}  // namespace veilix
