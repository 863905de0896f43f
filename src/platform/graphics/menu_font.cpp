#include "platform/graphics/menu_font.h"

#include <QApplication>
#include <QScreen>

#include <cmath>

#include "platform/core/colors.h"

namespace veilix {

namespace {
int PixelHeight(const QFont& font) {
    if (font.pixelSize() > 0) return font.pixelSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return int(std::lround(font.pointSizeF() * dpi / 72.0));
}
}  // namespace

QFont MenuFont() { return QApplication::font("QMenu"); }

TFont ToTFont(const QFont& font) {
    TFont result;
    result.Name = font.family().toStdString();
    result.Height = -PixelHeight(font);
    result.Color = clMenuText;
    result.Style = TFontStyles((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                               (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0));
    return result;
}

}  // namespace veilix
