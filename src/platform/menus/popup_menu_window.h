#pragma once
// The popup window that shows a menu's items and tracks the pointer and the
// keyboard until an item is chosen or the menu is dismissed. A sub-menu opens
// as a window of its own, a child of the window it opens from; only the first
// window of the chain runs the modal loop.
//
// Its members span files: popup_menu_window.cpp (showing, layout, pointer and
// keys, painting), popup_menu_window_procedure.cpp (the replaceable window
// procedure and user data), popup_menu_window_surface.cpp (shape,
// invalidation, the whole surface) and popup_menu_window_registry.cpp (our
// live windows by handle, place or item).
#include <QEventLoop>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/menus/menu_window_by_handle.h"

namespace veilix {

class TMenu;
class TMenuItem;
class TPopupMenu;

class PopupMenuWindow : public QWidget {
public:
    explicit PopupMenuWindow(TPopupMenu& menu);
    ~PopupMenuWindow() override;

    // Shows the window with its top-left corner at a screen point, kept on the
    // screen, and returns the chosen item once it has closed (or none).
    TMenuItem* Track(QPoint at);
    bool Tracking() const { return loop_ != nullptr; }
    // Before a window is shown again: its items as the menu has them now,
    // measured afresh, and the rest as in a new window.
    void Renew();

    // Where a menu of the given size opens for a requested point on a screen.
    static QPoint PlaceOnScreen(QPoint at, QSize size, const QRect& screen);
    // Where a sub-menu opens beside the item it belongs to (both in screen
    // coordinates): to the right of its parent window, or to the left where
    // the screen ends, with its first item level with the parent item.
    static QPoint PlaceSubMenu(const QRect& parentItem, const QRect& parentWindow, QSize size, const QRect& screen);

    // The items' rectangles in the window, in the order of the shown items.
    const std::vector<QRect>& ItemRects() const { return rects_; }
    const std::vector<TMenuItem*>& ShownItems() const { return items_; }
    int Selected() const { return selected_; }
    // The sub-menu window open from this one, if any.
    PopupMenuWindow* SubMenu() const { return sub_; }

    // The window's messages go through a replaceable procedure, so that a
    // menu painter can follow its hiding, closing and destruction and keep
    // it from erasing what the painter drew.
    TWindowProc WindowProc() const { return procedure_; }
    // Null puts the window's own procedure back; returns the one replaced.
    TWindowProc SetWindowProc(TWindowProc procedure);
    std::intptr_t UserData() const { return userData_; }
    void SetUserData(std::intptr_t value) { userData_ = value; }
    std::intptr_t Perform(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);
    // The window's own procedure: erasing paints the plain border.
    static std::intptr_t OwnProcedure(TWindowHandle window, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);

    // The window's shape on the window system: pixels outside it are neither
    // shown nor hit. None: the whole window.
    const std::optional<QRegion>& Region() const { return region_; }
    void SetRegion(std::optional<QRegion> region, bool redraw);
    // The items are painted again; with erase, the background first.
    void Invalidate(bool erase);
    // The composed image of the whole window, made at the window's size when
    // needed. FlushSurface shows what was drawn on it from outside without
    // painting any item again.
    QImage& Surface();
    // Whether the surface has the window's size and pixel density.
    bool SurfaceFits() const;
    void FlushSurface();

    // Our shown windows: by handle, at a screen point (the topmost whose
    // shape holds it), or the one showing an item.
    static PopupMenuWindow* FromHandle(TWindowHandle handle);
    static PopupMenuWindow* AtScreenPoint(QPoint global);
    static PopupMenuWindow* Showing(const TMenuItem* item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    PopupMenuWindow(TMenu& menu, const std::vector<TMenuItem*>& items, PopupMenuWindow* parent);

    void Layout();
    PopupMenuWindow* Root();
    // Whether the window is there for the pointer at a screen point: shown,
    // and the point inside its shape, not in a corner the shape leaves out.
    bool ShowsAt(QPoint global) const;
    // The window of the chain under a screen point, the deepest first.
    PopupMenuWindow* WindowAt(QPoint global);
    int ItemAt(QPoint p) const;
    bool Selectable(int index) const;
    bool Choosable(int index) const;
    bool HasSubMenu(int index) const;

    void HoverAt(QPoint p);
    void ReleaseAt(QPoint p);
    void Select(int index);
    void StepSelection(int direction);
    void Activate(int index, bool byKeyboard);
    void ChooseByLetter(char letter);
    void HandleKey(int key, const QString& text);
    void OpenSubMenu(int index, bool byKeyboard);
    void CloseSubMenu();
    void CloseAll();

    void PaintItem(int index);

    // Every window of ours that exists, oldest first.
    static std::vector<PopupMenuWindow*>& LiveWindows();

    TMenu& menu_;
    PopupMenuWindow* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    std::vector<QRect> rects_;
    QFont menuFont_;
    // What the window shows, composed item by item and flushed in one step.
    QImage surface_;
    // What the next paint must do: items to paint again, whether to erase
    // first, and what was drawn from outside and only needs showing.
    QRegion repaint_;
    bool erase_ = false;
    QRegion flushOnly_;
    TWindowProc procedure_ = &OwnProcedure;
    std::intptr_t userData_ = 0;
    std::optional<QRegion> region_;
    int selected_ = -1;
    PopupMenuWindow* sub_ = nullptr;
    TMenuItem* chosen_ = nullptr;  // kept by the first window of the chain
    QEventLoop* loop_ = nullptr;
};

}  // namespace veilix
