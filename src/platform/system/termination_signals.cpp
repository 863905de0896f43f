#include "platform/system/termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QSocketNotifier>

#include "platform/core/failure_boundary.h"

namespace veilix {

namespace {
int signalPipe[2] = {-1, -1};

extern "C" void WriteSignalByte(int signalNumber) {
    const char byte = char(signalNumber);
    // Only async-signal-safe work here; the loop reads the byte.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// The session manager's "die" reaches the application object as a Quit event
// from the window system. Left to Qt, it would close the windows one by one;
// taken here, it ends the program the way the signals do.
class SessionDeathFilter : public QObject {
public:
    SessionDeathFilter(std::function<void()> callback, QObject* parent)
        : QObject(parent), callback_(std::move(callback)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit || !event->spontaneous())
            return false;
        Guarded(nullptr, callback_);
        return true;
    }

private:
    std::function<void()> callback_;
};
}  // namespace

void OnSessionEnd(std::function<void()> callback) {
    if (signalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [callback] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        Guarded(nullptr, callback);
    });
    struct sigaction action {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signalNumber, &action, nullptr);

    // The session manager's question whether the program may end also comes
    // with every checkpoint and with a log-off that may still be cancelled, so
    // it is no reason to end. Nothing is saved, so the answer is always yes,
    // which is what leaving the question unhandled says.
    auto* app = QCoreApplication::instance();
    app->installEventFilter(new SessionDeathFilter(std::move(callback), app));
}

}  // namespace veilix
