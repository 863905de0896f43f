#include "platform/system/exit_watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace veilix {

void ExitWatchdog::Arm(std::chrono::milliseconds limit, int exitCode) {
    if (thread_.joinable()) return;
    thread_ = std::thread([this, limit, exitCode] {
        std::unique_lock lock(mutex_);
        if (done_.wait_for(lock, limit, [this] { return finished_; })) return;
        std::fflush(nullptr);
        std::_Exit(exitCode);
    });
}

ExitWatchdog::~ExitWatchdog() {
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    done_.notify_all();
    if (thread_.joinable()) thread_.join();
}

}  // namespace veilix
