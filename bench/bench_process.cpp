#include "bench_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace veilix::bench {

namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what + ": " + std::strerror(errno)); }

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// In a freshly forked child: it goes when the benchmark goes, however that
// ends, so no server or program outlives a run.
void DieWithParent(pid_t parent) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
}

void RedirectOutput(const char* path) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    dup2(fd, STDOUT_FILENO);
    dup2(fd, STDERR_FILENO);
    const int null = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (null >= 0) dup2(null, STDIN_FILENO);
}

int WaitBounded(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (Clock::now() < deadline) {
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD)) return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return status;
}

}  // namespace

PrivateXServer::PrivateXServer(int width, int height, const std::vector<std::string>& extraArguments) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) Fail("pipe");
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) Fail("fork");
    if (pid_ == 0) {
        DieWithParent(parent);
        // Only the writing end crosses the exec: the server writes its
        // display number there once it accepts clients.
        const int writeEnd = dup(fds[1]);
        RedirectOutput("/dev/null");
        std::vector<std::string> args = {"-displayfd",
                                         std::to_string(writeEnd),
                                         "-screen",
                                         "0",
                                         std::to_string(width) + "x" + std::to_string(height) + "x24",
                                         "-nolisten",
                                         "tcp",
                                         "-noreset"};
        args.insert(args.end(), extraArguments.begin(), extraArguments.end());
        const std::string program = "Xvfb";
        execvp(program.c_str(), Argv(program, args).data());
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (number.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{fds[0], POLLIN, 0};
        if (left <= 0 || poll(&p, 1, int(left)) <= 0) {
            close(fds[0]);
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            throw std::runtime_error("Xvfb did not start within 20 s");
        }
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            close(fds[0]);
            waitpid(pid_, nullptr, 0);
            throw std::runtime_error("Xvfb ended at start-up (is it installed?)");
        }
        number.append(buffer, std::size_t(n));
    }
    close(fds[0]);
    display_ = ":" + number.substr(0, number.find('\n'));
}

PrivateXServer::~PrivateXServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    WaitBounded(pid_, std::chrono::seconds(5));
}

ChildProgram::ChildProgram(const std::string& path, const std::vector<std::string>& arguments,
                           const std::string& display, const std::string& logPath) {
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) Fail("fork");
    if (pid_ == 0) {
        DieWithParent(parent);
        RedirectOutput(logPath.c_str());
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        setenv("DISPLAY", display.c_str(), 1);
        execv(path.c_str(), Argv(path, arguments).data());
        _exit(127);
    }
}

ChildProgram::~ChildProgram() {
    if (pid_ > 0) Stop();
}

bool ChildProgram::Running() {
    if (pid_ <= 0) return false;
    const pid_t r = waitpid(pid_, &status_, WNOHANG);
    if (r == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

int ChildProgram::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        status_ = WaitBounded(pid_, std::chrono::seconds(2));
        pid_ = -1;
    }
    return status_;
}

int ChildProgram::Interrupt() {
    if (pid_ > 0) {
        kill(pid_, SIGINT);
        status_ = WaitBounded(pid_, std::chrono::seconds(30));
        pid_ = -1;
    }
    return status_;
}

CpuTime ProcessCpu(pid_t pid) {
    CpuTime cpu;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close != std::string::npos) {
        std::istringstream fields(text.substr(close + 2));
        std::vector<std::string> f;
        for (std::string s; fields >> s;) f.push_back(s);
        // Fields from the state on: utime and stime are the 12th and 13th.
        if (f.size() > 12)
            cpu.statSeconds = double(std::stoull(f[11]) + std::stoull(f[12])) / double(sysconf(_SC_CLK_TCK));
    }
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(entry.path() / "schedstat");
        unsigned long long ns = 0;
        if (schedstat >> ns) cpu.schedSeconds += double(ns) / 1e9;
    }
    return cpu;
}

long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

Summary Summarise(std::vector<double> values) {
    Summary s;
    s.count = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    auto rank = [&values](double q) {
        const auto i = std::size_t(std::ceil(q * double(values.size())));
        return values[std::min(values.size() - 1, i == 0 ? 0 : i - 1)];
    };
    s.p50 = rank(0.50);
    s.p90 = rank(0.90);
    s.p99 = rank(0.99);
    s.max = values.back();
    return s;
}

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/veilix-bench.XXXXXX";
    if (!mkdtemp(pattern.data())) Fail("mkdtemp");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

}  // namespace veilix::bench
