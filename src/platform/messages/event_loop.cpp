#include "platform/messages/event_loop.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "platform/core/failure_boundary.h"

namespace veilix {

int RunEventLoop() { return QCoreApplication::exec(); }

void PostQuit(int exitCode) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

void ExitEventLoopsNow(int exitCode) { QCoreApplication::exit(exitCode); }

void PostCall(std::function<void()> call) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [call = std::move(call)] { Guarded(nullptr, call); }, Qt::QueuedConnection);
}

}  // namespace veilix
