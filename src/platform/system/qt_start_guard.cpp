#include "platform/system/qt_start_guard.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace veilix {

namespace {

QtMessageHandler previousHandler = nullptr;
std::vector<std::string>& HeldMessages() {
    static std::vector<std::string> messages;
    return messages;
}

// Qt's fatal message ends with the list of the plugins it has.
std::string AvailablePlugins(const QString& message) {
    const QString marker = QStringLiteral("Available platform plugins are: ");
    const qsizetype at = message.indexOf(marker);
    if (at < 0) return {};
    QString list = message.mid(at + marker.size()).trimmed();
    if (list.endsWith(QLatin1Char('.'))) list.chop(1);
    return list.toStdString();
}

void StartHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        // Where a fallback list is tried, Qt notes each plugin it could not
        // use; that is no news once one of them has started.
        if (!context.category || std::strcmp(context.category, "qt.qpa.plugin") != 0)
            HeldMessages().push_back(qFormatLogMessage(type, context, message).toStdString());
        return;
    }
    const QByteArray requested = qgetenv("QT_QPA_PLATFORM");
    const std::string available = AvailablePlugins(message);
    std::string sentence = "veilix: Qt could not start its platform plugin";
    if (!requested.isEmpty()) sentence += " '" + requested.toStdString() + "'";
    if (!available.empty()) sentence += " (installed plugins: " + available + ")";
    sentence += ".\n";
    // Nothing of Qt's may run any more: write and leave at once.
    const ssize_t written = write(STDERR_FILENO, sentence.data(), sentence.size());
    (void)written;
    _exit(1);
}

}  // namespace

QtStartGuard::QtStartGuard() { previousHandler = qInstallMessageHandler(StartHandler); }

QtStartGuard::~QtStartGuard() { Started(); }

void QtStartGuard::Started() {
    if (!active_) return;
    active_ = false;
    qInstallMessageHandler(previousHandler);
    for (const std::string& message : HeldMessages()) std::fprintf(stderr, "%s\n", message.c_str());
    HeldMessages().clear();
}

}  // namespace veilix
