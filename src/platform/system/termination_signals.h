#pragma once
// SIGTERM, SIGINT, SIGHUP and the end of the desktop session play the part of
// log-off: the callback runs on the loop's thread, never inside the signal.
#include <functional>

namespace veilix {

void OnSessionEnd(std::function<void()> callback);

}  // namespace veilix
