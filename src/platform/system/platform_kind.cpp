#include "platform/system/platform_kind.h"

#include <QGuiApplication>

namespace veilix {

namespace {
PlatformKind AskQt() {
    const QString name = QGuiApplication::platformName();
    if (name == QLatin1String("xcb")) return PlatformKind::X11;
    if (name.startsWith(QLatin1String("wayland"))) return PlatformKind::Wayland;
    if (name == QLatin1String("offscreen") || name == QLatin1String("minimal")) return PlatformKind::Headless;
    return PlatformKind::Other;
}
}  // namespace

PlatformKind CurrentPlatform() {
    // Qt's platform is fixed once its application object exists.
    static const PlatformKind kind = AskQt();
    return kind;
}

bool WindowShapesSupported() { return CurrentPlatform() != PlatformKind::Headless; }

}  // namespace veilix
