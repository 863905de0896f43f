#include "platform/graphics/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>

#include "platform/graphics/font_cache.h"
#include "platform/graphics/menu_font.h"

namespace veilix {

namespace {
const char* const kBundledFonts[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};
}  // namespace

void RegisterBundledFonts() {
    static bool done = false;
    if (done || !QGuiApplication::instance()) return;
    done = true;
    bool added = false;
    for (const char* path : kBundledFonts)
        if (QFile::exists(QString::fromLatin1(path)))
            added = QFontDatabase::addApplicationFont(QString::fromLatin1(path)) >= 0 || added;
    // Fonts made before may have stood in for Tahoma.
    if (added) ClearFontCache();
}

bool GetSystemMenuFont(TFont& font) {
    if (!QGuiApplication::instance()) return false;
    const TFont menu = ToTFont(MenuFont());
    if (menu.Name.empty() || menu.Height >= 0) return false;
    font.Name = menu.Name;
    font.Height = menu.Height;
    font.Style = menu.Style;
    return true;
}

}  // namespace veilix
