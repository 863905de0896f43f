#include "platform/system/application_identity.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace veilix {

namespace {

// The windows' icon, and not the application's: Qt copies that one, all of
// its sizes through the socket, to every window it makes, a popup menu's at
// each opening too.
QIcon& WindowsIcon() {
    static QIcon icon;
    return icon;
}

bool TakesIcon(const QWidget& widget) {
    const Qt::WindowType type = widget.windowType();
    return widget.isWindow() && type != Qt::Popup && type != Qt::ToolTip && !widget.testAttribute(Qt::WA_SetWindowIcon);
}

// A window shown later takes the icon as it is shown, before the window
// system maps it.
class IconOnShow final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (TakesIcon(*widget)) widget->setWindowIcon(WindowsIcon());
        }
        return false;
    }
};

}  // namespace

void SetDesktopId(const std::string& desktopId) {
    QGuiApplication::setDesktopFileName(QString::fromStdString(desktopId));
}

void SetApplicationIcon(const std::vector<TIconImage>& icon) {
    QIcon windowIcon;
    for (const TIconImage& image : icon) {
        if (image.rgba.size() != std::size_t(image.width) * std::size_t(image.height) * 4) continue;
        const QImage view(image.rgba.data(), image.width, image.height, image.width * 4, QImage::Format_RGBA8888);
        windowIcon.addPixmap(QPixmap::fromImage(view.copy()));
    }
    WindowsIcon() = windowIcon;
    static bool watching = false;
    if (!watching && qApp) {
        watching = true;
        qApp->installEventFilter(new IconOnShow(qApp));
    }
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && TakesIcon(*widget)) widget->setWindowIcon(windowIcon);
}

}  // namespace veilix
