#include "platform/popup_menu_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "platform/canvas.h"
#include "platform/colors.h"
#include "platform/failure_boundary.h"
#include "platform/popup_menu.h"

namespace veilix {

namespace {
constexpr int kPlainItemPadding = 6;
constexpr int kPlainTextIndent = 20;

QColor ToQColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}
}  // namespace

PopupMenuWindow::PopupMenuWindow(TPopupMenu& menu) : QWidget(nullptr, Qt::Popup), menu_(menu) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    for (TMenuItem* item : menu_.Items())
        if (item->Visible) items_.push_back(item);
    Layout();
}

void PopupMenuWindow::Layout() {
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(scratch);
    const QFontMetrics metrics(font());
    int y = 0, widest = 0;
    for (TMenuItem* item : items_) {
        int width = metrics.horizontalAdvance(QString::fromStdString(item->Caption).remove('&')) + 2 * kPlainTextIndent;
        int height = metrics.height() + kPlainItemPadding;
        if (menu_.OwnerDraw && item->OnMeasureItem) item->OnMeasureItem(item, canvas, width, height);
        rects_.emplace_back(0, y, 0, std::max(height, 0));
        widest = std::max(widest, width);
        y += std::max(height, 0);
    }
    for (QRect& r : rects_) r.setWidth(widest);
    resize(std::max(widest, 1), std::max(y, 1));
}

QPoint PopupMenuWindow::PlaceOnScreen(QPoint at, QSize size, const QRect& screen) {
    // Like a menu opened near an edge: it opens to the left of or above the
    // point rather than off the screen, and never beyond the top-left corner.
    QPoint p = at;
    if (p.x() + size.width() > screen.right() + 1) p.rx() -= size.width();
    if (p.y() + size.height() > screen.bottom() + 1) p.ry() -= size.height();
    p.rx() = std::max(p.x(), screen.left());
    p.ry() = std::max(p.y(), screen.top());
    return p;
}

TMenuItem* PopupMenuWindow::Track(QPoint at) {
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    move(screen ? PlaceOnScreen(at, size(), screen->geometry()) : at);
    QEventLoop loop;
    loop_ = &loop;
    show();
    activateWindow();
    setFocus();
    loop.exec();
    loop_ = nullptr;
    hide();
    return chosen_;
}

int PopupMenuWindow::ItemAt(QPoint p) const {
    for (std::size_t i = 0; i < rects_.size(); ++i)
        if (rects_[i].contains(p)) return int(i);
    return -1;
}

bool PopupMenuWindow::Selectable(int index) const {
    return index >= 0 && index < int(items_.size()) && items_[std::size_t(index)]->Enabled;
}

void PopupMenuWindow::Select(int index) {
    if (index == selected_) return;
    selected_ = index;
    update();
}

void PopupMenuWindow::Choose(int index) {
    if (!Selectable(index)) return;
    chosen_ = items_[std::size_t(index)];
    close();
}

void PopupMenuWindow::StepSelection(int direction) {
    const int count = int(items_.size());
    if (count == 0) return;
    int index = selected_;
    for (int step = 0; step < count; ++step) {
        index = ((index < 0 && direction < 0 ? 0 : index) + direction + count) % count;
        if (Selectable(index)) {
            Select(index);
            return;
        }
    }
}

void PopupMenuWindow::ChooseByLetter(char letter) {
    std::vector<int> matches;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->AccessLetter() == letter && Selectable(int(i))) matches.push_back(int(i));
    if (matches.size() == 1) {
        Choose(matches.front());
        return;
    }
    // Several items share the letter: each press moves to the next of them.
    for (int index : matches)
        if (index > selected_) {
            Select(index);
            return;
        }
    if (!matches.empty()) Select(matches.front());
}

void PopupMenuWindow::paintEvent(QPaintEvent*) {
    Guarded(&menu_, [&] {
        QImage surface(size(), QImage::Format_RGB32);
        surface.fill(ToQColor(0xFF000004));  // the menu colour
        for (std::size_t i = 0; i < items_.size(); ++i) PaintItem(surface, int(i));
        QPainter(this).drawImage(0, 0, surface);
    });
}

void PopupMenuWindow::PaintItem(QImage& surface, int index) {
    TMenuItem* item = items_[std::size_t(index)];
    const QRect r = rects_[std::size_t(index)];
    const bool selected = index == selected_;
    if (menu_.OwnerDraw && item->OnDrawItem) {
        TCanvas canvas(surface);
        item->OnDrawItem(item, canvas, TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, selected);
        return;
    }
    QPainter painter(&surface);
    painter.setFont(font());
    if (selected) painter.fillRect(r, ToQColor(0xFF00000D));  // highlight
    painter.setPen(ToQColor(!item->Enabled ? 0xFF000011 : selected ? 0xFF00000E : 0xFF000007));
    painter.drawText(r.adjusted(kPlainTextIndent, 0, 0, 0), Qt::AlignVCenter | Qt::TextShowMnemonic,
                     QString::fromStdString(item->Caption));
}

void PopupMenuWindow::mouseMoveEvent(QMouseEvent* event) {
    Guarded(&menu_, [&] {
        const int index = ItemAt(event->position().toPoint());
        Select(Selectable(index) ? index : -1);
    });
}

void PopupMenuWindow::mouseReleaseEvent(QMouseEvent* event) {
    Guarded(&menu_, [&] {
        if (!rect().contains(event->position().toPoint())) {
            close();
            return;
        }
        Choose(ItemAt(event->position().toPoint()));
    });
}

void PopupMenuWindow::keyPressEvent(QKeyEvent* event) {
    Guarded(&menu_, [&] { HandleKey(event->key(), event->text()); });
}

void PopupMenuWindow::HandleKey(int key, const QString& text) {
    switch (key) {
        case Qt::Key_Escape: close(); return;
        case Qt::Key_Up: StepSelection(-1); return;
        case Qt::Key_Down: StepSelection(+1); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: Choose(selected_); return;
        default: break;
    }
    if (text.size() == 1 && text[0].isLetterOrNumber()) ChooseByLetter(char(text[0].toUpper().toLatin1()));
}

void PopupMenuWindow::hideEvent(QHideEvent*) {
    if (loop_) loop_->quit();
}

}  // namespace veilix
