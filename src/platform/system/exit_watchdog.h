#pragma once
// A bound on the last step of the program's end. Qt's Wayland plugin can
// deadlock while it tears down its connection (its event thread waits for a
// read that the main thread will never do), after everything of ours has
// been closed and saved: the process then hangs instead of ending. Armed
// just before the toolkit goes, the watchdog ends the process with the exit
// code it was given if that teardown has not finished in time.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace veilix {

class ExitWatchdog {
public:
    ExitWatchdog() = default;
    ~ExitWatchdog();
    ExitWatchdog(const ExitWatchdog&) = delete;
    ExitWatchdog& operator=(const ExitWatchdog&) = delete;

    // From now on, the process ends with exitCode after limit unless this
    // object is destroyed first.
    void Arm(std::chrono::milliseconds limit, int exitCode);

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

}  // namespace veilix
