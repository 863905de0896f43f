#include "platform/system/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace veilix {

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowErrorMessageBox(const std::string& caption, const std::string& text) {
    if (Hook()) {
        Hook()(caption, text);
        return;
    }
    // Owned by the active window; application-modal, so every other window of
    // ours takes no input until it is dismissed.
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    QWidget* previouslyActive = QApplication::activeWindow();
    box.exec();
    if (previouslyActive) previouslyActive->activateWindow();
}

}  // namespace veilix
