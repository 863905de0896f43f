#include "platform/system/application_identity.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace veilix {

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
    QApplication::setWindowIcon(windowIcon);
}

}  // namespace veilix
