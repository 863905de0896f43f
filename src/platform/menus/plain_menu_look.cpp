#include "platform/menus/plain_menu_look.h"

#include <QFontMetrics>
#include <QPolygon>

#include <string>

#include "platform/core/colors.h"
#include "platform/core/device_pixels.h"
#include "platform/menus/menu.h"

namespace veilix {

namespace {
constexpr int kCheckColumn = 20;
constexpr int kArrowRoom = 16;
constexpr int kShortcutGap = 16;
constexpr int kVerticalPadding = 6;
constexpr int kSeparatorHeight = 8;

constexpr TColor clMenu = 0xFF000004;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor kBorderColor = clBtnFace;

QColor ToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

QFont ItemFont(const TMenuItem& item, const QFont& font) {
    QFont result = font;
    if (item.Default) result.setBold(true);
    return result;
}

// The caption as shown: a single "&" only marks the access letter, "&&" is one "&".
QString ShownCaption(const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && ++i >= text.size()) break;
        shown += text[i];
    }
    return shown;
}

void PaintSeparator(QPainter& painter, const QRect& rect) {
    const int y = rect.top() + rect.height() / 2 - 1;
    painter.setPen(ToQColor(clBtnShadow));
    painter.drawLine(rect.left() + 1, y, rect.right() - 1, y);
    painter.setPen(ToQColor(clBtnHighlight));
    painter.drawLine(rect.left() + 1, y + 1, rect.right() - 1, y + 1);
}

void PaintCheck(QPainter& painter, const TMenuItem& item, const QRect& rect, const QColor& colour) {
    const QPoint centre(rect.left() + kCheckColumn / 2, rect.top() + rect.height() / 2);
    painter.setPen(colour);
    if (item.RadioItem) {
        painter.setBrush(colour);
        painter.drawEllipse(QRect(centre.x() - 3, centre.y() - 3, 6, 6));
        painter.setBrush(Qt::NoBrush);
        return;
    }
    // A tick two pixels thick: down to the right, then up to the right.
    for (int dy = 0; dy < 2; ++dy)
        painter.drawPolyline(
            QPolygon({centre + QPoint(-3, dy - 1), centre + QPoint(-1, dy + 1), centre + QPoint(3, dy - 3)}));
}

void PaintArrow(QPainter& painter, const QRect& rect, const QColor& colour) {
    const int x = rect.right() - kArrowRoom + 6;
    const int y = rect.top() + rect.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygon({QPoint(x, y - 4), QPoint(x + 4, y), QPoint(x, y + 4)}));
    painter.setBrush(Qt::NoBrush);
}
}  // namespace

QSize PlainItemSize(const TMenuItem& item, const QFont& font) {
    if (item.IsLine()) return QSize(kCheckColumn + kArrowRoom, kSeparatorHeight);
    const QFontMetrics metrics(ItemFont(item, font));
    int width = kCheckColumn + metrics.horizontalAdvance(ShownCaption(item.Caption)) + kArrowRoom;
    const std::string shortcut = ShortCutToText(item.ShortCut);
    if (!shortcut.empty()) width += kShortcutGap + metrics.horizontalAdvance(QString::fromStdString(shortcut));
    return QSize(width, metrics.height() + kVerticalPadding);
}

void PaintPlainItem(QPainter& painter, const TMenuItem& item, const QRect& rect, bool selected, const QFont& font) {
    const bool highlighted = selected && !item.IsLine();
    painter.fillRect(rect, ToQColor(highlighted ? clHighlight : clMenu));
    if (item.IsLine()) {
        PaintSeparator(painter, rect);
        return;
    }
    const QColor ink = ToQColor(!item.Enabled ? clGrayText : highlighted ? clHighlightText : clMenuText);
    if (item.Checked) PaintCheck(painter, item, rect, ink);
    painter.setFont(ItemFont(item, font));
    painter.setPen(ink);
    const QRect text = rect.adjusted(kCheckColumn, 0, -kArrowRoom, 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic,
                     QString::fromStdString(item.Caption));
    const std::string shortcut = ShortCutToText(item.ShortCut);
    if (!shortcut.empty()) painter.drawText(text, Qt::AlignVCenter | Qt::AlignRight, QString::fromStdString(shortcut));
    if (item.Count() > 0) PaintArrow(painter, rect, ink);
}

void PaintPlainBackground(QImage& surface) { surface.fill(ToQColor(clMenu)); }

void PaintPlainBorder(QImage& surface) {
    QPainter painter(&surface);
    const QColor colour = ToQColor(kBorderColor);
    // In the surface's logical pixels, as the painter draws.
    const int w = LogicalRect(surface).width(), h = LogicalRect(surface).height();
    painter.fillRect(0, 0, w, kMenuBorder, colour);
    painter.fillRect(0, h - kMenuBorder, w, kMenuBorder, colour);
    painter.fillRect(0, 0, kMenuBorder, h, colour);
    painter.fillRect(w - kMenuBorder, 0, kMenuBorder, h, colour);
}

}  // namespace veilix
