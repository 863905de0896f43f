// The GUI tests drive the real windows, so Qt's application object must exist
// before any test runs. They are written for the offscreen platform (no window
// manager, a pointer that QCursor::setPos moves), whatever display there is,
// and the test listing at build time runs with no display at all.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

namespace {
QtMessageHandler previousHandler = nullptr;

// The offscreen platform reports each thing it cannot do (masks, grabs,
// raising); that is expected here and only buries the test output.
void QuietOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    previousHandler = qInstallMessageHandler(QuietOffscreenNotices);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
