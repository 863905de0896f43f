#pragma once
// What the benchmarks that look from outside share: a private X server
// (Xvfb, the display it picks itself), programs started on it and ended for
// sure, their CPU time and resident memory from /proc, and percentiles.
// Every wait is bounded; a failure throws.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace veilix::bench {

using Clock = std::chrono::steady_clock;

inline double MicrosBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

// Xvfb on a free display, with no window manager. Ended with the object, or
// with the benchmark if that dies first.
class PrivateXServer {
public:
    PrivateXServer(int width, int height, const std::vector<std::string>& extraArguments = {});
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N"
    const std::string& Display() const { return display_; }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// A program started on a display, with a clean environment for it (no other
// display or platform to pick), its output in logPath. Ended with SIGTERM
// (SIGKILL after two seconds) with the object, or with the benchmark.
class ChildProgram {
public:
    ChildProgram(const std::string& path, const std::vector<std::string>& arguments, const std::string& display,
                 const std::string& logPath);
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();
    // Ends it and returns its wait status.
    int Stop();
    // Asks it to end with SIGINT, as Ctrl-C would, and waits (bounded).
    int Interrupt();

private:
    pid_t pid_ = -1;
    int status_ = 0;
};

struct CpuTime {
    double statSeconds = 0;   // utime + stime of all threads, in clock ticks
    double schedSeconds = 0;  // the scheduler's nanosecond count, summed over threads
};
CpuTime ProcessCpu(pid_t pid);
// VmRSS in KiB, or -1.
long ResidentKiB(pid_t pid);

struct Summary {
    double p50 = 0, p90 = 0, p99 = 0, max = 0;
    std::size_t count = 0;
};
Summary Summarise(std::vector<double> values);

// A directory of our own under $TMPDIR, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace veilix::bench
