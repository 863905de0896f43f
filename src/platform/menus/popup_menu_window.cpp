#include "platform/menus/popup_menu_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/core/device_pixels.h"
#include "platform/core/failure_boundary.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/menu_font.h"
#include "platform/graphics/qt_conversions.h"
#include "platform/menus/plain_menu_look.h"
#include "platform/menus/popup_menu.h"
#include "platform/messages/hidden_window.h"

namespace veilix {

namespace {
std::vector<TMenuItem*> VisibleItems(const std::vector<TMenuItem*>& items) {
    std::vector<TMenuItem*> visible;
    std::copy_if(items.begin(), items.end(), std::back_inserter(visible),
                 [](TMenuItem* item) { return item->Visible; });
    return visible;
}

QRect ScreenAround(QPoint point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}
}  // namespace

PopupMenuWindow::PopupMenuWindow(TPopupMenu& menu) : PopupMenuWindow(menu, menu.Items(), nullptr) {}

// Frameless: the window's corner is the corner of its border on every platform.
PopupMenuWindow::PopupMenuWindow(TMenu& menu, const std::vector<TMenuItem*>& items, PopupMenuWindow* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint),
      menu_(menu),
      parent_(parent),
      items_(VisibleItems(items)),
      menuFont_(MenuFont()) {
    LiveWindows().push_back(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    Layout();
}

void PopupMenuWindow::Renew() {
    items_ = VisibleItems(menu_.Items());
    rects_.clear();
    menuFont_ = MenuFont();
    selected_ = -1;
    chosen_ = nullptr;
    repaint_ = QRegion();
    erase_ = false;
    flushOnly_ = QRegion();
    // Painted from a plain background, as on a new window.
    surface_ = QImage();
    procedure_ = &OwnProcedure;
    userData_ = 0;
    if (region_) SetRegion(std::nullopt, false);
    Layout();
}

void PopupMenuWindow::Layout() {
    // Every item is offered the plain look's size; an owner-drawn one may
    // change it. The widest width serves all items.
    QImage scratch(1, 1, QImage::Format_RGB32);
    int y = kMenuBorder, widest = 0;
    for (TMenuItem* item : items_) {
        const QSize proposed = PlainItemSize(*item, menuFont_);
        int width = proposed.width(), height = proposed.height();
        if (menu_.OwnerDraw && item->OnMeasureItem) {
            TCanvas canvas(scratch);
            canvas.Font = ToTFont(menuFont_);
            item->OnMeasureItem(item, canvas, width, height);
        }
        height = std::max(height, 0);
        rects_.emplace_back(kMenuBorder, y, 0, height);
        widest = std::max(widest, width);
        y += height;
    }
    for (QRect& r : rects_) r.setWidth(widest);
    resize(widest + 2 * kMenuBorder, y + kMenuBorder);
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

QPoint PopupMenuWindow::PlaceSubMenu(const QRect& parentItem, const QRect& parentWindow, QSize size,
                                     const QRect& screen) {
    // The sub-menu's border lies over its parent's, so their items meet.
    QPoint p(parentWindow.right() + 1 - kMenuBorder, parentItem.top() - kMenuBorder);
    if (p.x() + size.width() > screen.right() + 1) p.rx() = parentWindow.left() + kMenuBorder - size.width();
    if (p.y() + size.height() > screen.bottom() + 1) p.ry() = screen.bottom() + 1 - size.height();
    p.rx() = std::max(p.x(), screen.left());
    p.ry() = std::max(p.y(), screen.top());
    return p;
}

TMenuItem* PopupMenuWindow::Track(QPoint at) {
    move(PlaceOnScreen(at, size(), ScreenAround(at)));
    QEventLoop loop;
    loop_ = &loop;
    show();
    activateWindow();
    setFocus();
    loop.exec();
    loop_ = nullptr;
    CloseSubMenu();
    hide();
    // Hidden, not destroyed: the keyboard focus it had must not stay with it.
    clearFocus();
    return chosen_;
}

PopupMenuWindow::~PopupMenuWindow() {
    Guarded(&menu_, [&] { Perform(WM_DESTROY, 0, 0); });
    std::erase(LiveWindows(), this);
}

void PopupMenuWindow::closeEvent(QCloseEvent* event) {
    Guarded(&menu_, [&] { Perform(WM_CLOSE, 0, 0); });
    QWidget::closeEvent(event);
}

PopupMenuWindow* PopupMenuWindow::Root() { return parent_ ? parent_->Root() : this; }

PopupMenuWindow* PopupMenuWindow::WindowAt(QPoint global) {
    std::vector<PopupMenuWindow*> chain;
    for (PopupMenuWindow* w = Root(); w; w = w->sub_) chain.push_back(w);
    // A sub-menu lies over its parent where they overlap. A press on a corner
    // the shape leaves out is a press beside the menu.
    for (auto w = chain.rbegin(); w != chain.rend(); ++w)
        if ((*w)->ShowsAt(global)) return *w;
    return nullptr;
}

int PopupMenuWindow::ItemAt(QPoint p) const {
    for (std::size_t i = 0; i < rects_.size(); ++i)
        if (rects_[i].contains(p)) return int(i);
    return -1;
}

// Separators are passed over; a disabled item can be shown selected.
bool PopupMenuWindow::Selectable(int index) const {
    return index >= 0 && index < int(items_.size()) && !items_[std::size_t(index)]->IsLine();
}

bool PopupMenuWindow::Choosable(int index) const { return Selectable(index) && items_[std::size_t(index)]->Enabled; }

bool PopupMenuWindow::HasSubMenu(int index) const {
    if (!Selectable(index)) return false;
    const auto& subItems = items_[std::size_t(index)]->Items();
    return std::any_of(subItems.begin(), subItems.end(), [](TMenuItem* item) { return item->Visible; });
}

void PopupMenuWindow::Select(int index) {
    if (index == selected_) return;
    CloseSubMenu();
    for (int changed : {selected_, index})
        if (changed >= 0) {
            repaint_ += rects_[std::size_t(changed)];
            update(rects_[std::size_t(changed)]);
        }
    selected_ = index;
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

// Choosing an item: a leaf ends the whole menu with it, an item with
// sub-items opens them; separators and disabled items do nothing.
void PopupMenuWindow::Activate(int index, bool byKeyboard) {
    if (!Choosable(index)) return;
    Select(index);
    if (HasSubMenu(index)) {
        if (!sub_) OpenSubMenu(index, byKeyboard);
        return;
    }
    Root()->chosen_ = items_[std::size_t(index)];
    CloseAll();
}

void PopupMenuWindow::ChooseByLetter(char letter) {
    std::vector<int> matches;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->AccessLetter() == letter && Choosable(int(i))) matches.push_back(int(i));
    if (matches.size() == 1) {
        Activate(matches.front(), true);
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

void PopupMenuWindow::HoverAt(QPoint p) {
    const int index = ItemAt(p);
    if (index < 0) {
        // On the border: a sub-menu that is open stays open.
        if (!sub_) Select(-1);
        return;
    }
    Select(Selectable(index) ? index : -1);
    if (Choosable(index) && HasSubMenu(index) && !sub_) OpenSubMenu(index, false);
}

void PopupMenuWindow::ReleaseAt(QPoint p) { Activate(ItemAt(p), false); }

void PopupMenuWindow::OpenSubMenu(int index, bool byKeyboard) {
    CloseSubMenu();
    auto* sub = new PopupMenuWindow(menu_, items_[std::size_t(index)]->Items(), this);
    sub_ = sub;
    const QRect item(mapToGlobal(rects_[std::size_t(index)].topLeft()), rects_[std::size_t(index)].size());
    sub->move(PlaceSubMenu(item, geometry(), sub->size(), ScreenAround(item.center())));
    sub->show();
    sub->activateWindow();
    sub->setFocus();
    // Opened from the keyboard, the sub-menu starts on its first item.
    if (byKeyboard) sub->StepSelection(+1);
}

void PopupMenuWindow::CloseSubMenu() {
    PopupMenuWindow* sub = std::exchange(sub_, nullptr);
    if (!sub) return;
    sub->CloseSubMenu();
    sub->close();
    // It may be the window whose event is being handled right now.
    sub->deleteLater();
    setFocus();
}

void PopupMenuWindow::CloseAll() {
    PopupMenuWindow* root = Root();
    root->CloseSubMenu();
    // Told it closes, then hidden rather than closed: Qt destroys the native
    // window of a closed one, and the next opening would make it again.
    Guarded(&root->menu_, [&] { root->Perform(WM_CLOSE, 0, 0); });
    root->hide();
}

void PopupMenuWindow::paintEvent(QPaintEvent* event) {
    const QRegion dirty = event->region();
    // What Qt asks for on its own (showing, a new size) is painted afresh,
    // as after an invalidation with erasing.
    const QRegion unasked = dirty - repaint_ - flushOnly_;
    QRegion items = (repaint_ & dirty) | unasked;
    bool erase = std::exchange(erase_, false) || !unasked.isEmpty();
    repaint_ -= dirty;
    flushOnly_ -= dirty;
    if (!SurfaceFits()) {
        Surface();
        items = rect();
        erase = true;
    }
    const QRect itemsArea = rect().adjusted(kMenuBorder, kMenuBorder, -kMenuBorder, -kMenuBorder);
    if (erase && !itemsArea.contains(items.boundingRect())) Guarded(&menu_, [&] { Perform(WM_ERASEBKGND, 0, 0); });
    bool painted = false;
    // One item that fails to paint must not leave the items after it unpainted.
    for (std::size_t i = 0; i < rects_.size(); ++i)
        if (items.intersects(rects_[i])) {
            Guarded(&menu_, [&] { PaintItem(int(i)); });
            painted = true;
        }
    // An item's image reaches into the left border. Where a painter frames
    // the window, it draws its frame there again right after; until then
    // the screen keeps the frame it shows rather than flash the item's edge.
    QRegion shown = dirty;
    if (painted && procedure_ != &OwnProcedure) shown -= QRect(0, 0, kMenuBorder, height());
    QPainter painter(this);
    const qreal ratio = surface_.devicePixelRatio();
    for (const QRect& r : DeviceRegion(shown, ratio) & surface_.rect())
        painter.drawImage(LogicalPlace(r, ratio), surface_, QRectF(r));
}

void PopupMenuWindow::PaintItem(int index) {
    TMenuItem* item = items_[std::size_t(index)];
    const QRect r = rects_[std::size_t(index)];
    const bool selected = index == selected_;
    if (menu_.OwnerDraw && item->OnDrawItem) {
        // The surface is 32-bit on any screen; a painter chooses its colours
        // for what the screen can show.
        TCanvas canvas(surface_, screen() ? screen()->depth() : 0);
        canvas.Font = ToTFont(menuFont_);
        canvas.WindowHandle = HandleOf(this);
        item->OnDrawItem(item, canvas, ToTRect(r), selected);
        return;
    }
    QPainter painter(&surface_);
    PaintPlainItem(painter, *item, r, selected, menuFont_);
}

// Qt hands every pointer event to the newest popup of the chain; it goes on
// to the window under the pointer.
void PopupMenuWindow::mouseMoveEvent(QMouseEvent* event) {
    Guarded(&menu_, [&] {
        const QPoint global = event->globalPosition().toPoint();
        if (PopupMenuWindow* target = WindowAt(global))
            target->HoverAt(target->mapFromGlobal(global));
        else if (!sub_)
            Select(-1);
    });
}

void PopupMenuWindow::mousePressEvent(QMouseEvent* event) {
    Guarded(&menu_, [&] {
        if (!WindowAt(event->globalPosition().toPoint())) CloseAll();
    });
}

void PopupMenuWindow::mouseReleaseEvent(QMouseEvent* event) {
    Guarded(&menu_, [&] {
        const QPoint global = event->globalPosition().toPoint();
        if (PopupMenuWindow* target = WindowAt(global))
            target->ReleaseAt(target->mapFromGlobal(global));
        else
            CloseAll();
    });
}

void PopupMenuWindow::keyPressEvent(QKeyEvent* event) {
    Guarded(&menu_, [&] { HandleKey(event->key(), event->text()); });
}

void PopupMenuWindow::HandleKey(int key, const QString& text) {
    switch (key) {
        case Qt::Key_Escape:
            if (parent_)
                parent_->CloseSubMenu();
            else
                CloseAll();
            return;
        case Qt::Key_Left:
            if (parent_) parent_->CloseSubMenu();
            return;
        case Qt::Key_Right:
            if (HasSubMenu(selected_)) Activate(selected_, true);
            return;
        case Qt::Key_Up: StepSelection(-1); return;
        case Qt::Key_Down: StepSelection(+1); return;
        case Qt::Key_Return:
        case Qt::Key_Enter: Activate(selected_, true); return;
        default: break;
    }
    if (text.size() == 1 && text[0].isLetterOrNumber()) ChooseByLetter(char(text[0].toUpper().toLatin1()));
}

void PopupMenuWindow::hideEvent(QHideEvent*) {
    Guarded(&menu_, [&] { Perform(WM_SHOWWINDOW, 0, 0); });
    if (loop_) loop_->quit();
    // Hidden from outside (Qt closes popups when the application loses the
    // pointer): the parent forgets it, as if it had closed it.
    if (parent_ && parent_->sub_ == this) {
        parent_->sub_ = nullptr;
        CloseSubMenu();
        deleteLater();
    }
}

}  // namespace veilix
