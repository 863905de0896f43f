#pragma once
// The plain look of menu items: what a menu shows for items that do not draw
// themselves, and the size it offers owner-drawn items as their proposal.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

namespace veilix {

class TMenuItem;

// The band around the items of a menu window.
inline constexpr int kMenuBorder = 3;

// Text plus shortcut text plus room for the check column and the sub-menu
// arrow; a separator gets a small fixed height.
QSize PlainItemSize(const TMenuItem& item, const QFont& font);

// Separator line, check mark or radio dot, caption with its access letter
// underlined (greyed when disabled, bold for the default item), shortcut text
// right-aligned, and an arrow for an item with sub-items.
void PaintPlainItem(QPainter& painter, const TMenuItem& item, const QRect& rect, bool selected, const QFont& font);

// The band of kMenuBorder pixels along the surface's edges.
// A new surface starts as an empty menu: an item that fails to paint shows
// the menu's background, not leftover memory.
void PaintPlainBackground(QImage& surface);
void PaintPlainBorder(QImage& surface);

}  // namespace veilix
