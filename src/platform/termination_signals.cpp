#include "platform/termination_signals.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include "platform/failure_boundary.h"

namespace veilix {

namespace {
int signalPipe[2] = {-1, -1};

extern "C" void WriteSignalByte(int signalNumber) {
    const char byte = char(signalNumber);
    // Only async-signal-safe work here; the loop reads the byte.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}
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

    // Asked whether it may end, the program always agrees; nothing is saved.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                         [callback](QSessionManager&) { Guarded(nullptr, callback); });
    }
}

}  // namespace veilix
