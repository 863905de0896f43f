#pragma once
// The popup window that shows a TPopupMenu's items and tracks the pointer and
// the keyboard until an item is chosen or the menu is dismissed.
#include <QEventLoop>
#include <QImage>
#include <QWidget>

#include <vector>

namespace veilix {

class TMenuItem;
class TPopupMenu;

class PopupMenuWindow : public QWidget {
public:
    explicit PopupMenuWindow(TPopupMenu& menu);

    // Shows the window with its top-left corner at a screen point, kept on the
    // screen, and returns the chosen item once it has closed (or none).
    TMenuItem* Track(QPoint at);

    // Where a menu of the given size opens for a requested point on a screen.
    static QPoint PlaceOnScreen(QPoint at, QSize size, const QRect& screen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Layout();
    int ItemAt(QPoint p) const;
    void Select(int index);
    void Choose(int index);
    void StepSelection(int direction);
    void ChooseByLetter(char letter);
    void HandleKey(int key, const QString& text);
    void PaintItem(QImage& surface, int index);
    bool Selectable(int index) const;

    TPopupMenu& menu_;
    std::vector<TMenuItem*> items_;
    std::vector<QRect> rects_;
    int selected_ = -1;
    TMenuItem* chosen_ = nullptr;
    QEventLoop* loop_ = nullptr;
};

}  // namespace veilix
