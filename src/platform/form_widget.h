#pragma once
// The native window of a TForm: turns Qt's events into the form's pointer
// routing, paints the composed frame and applies the shape. Every entry from
// Qt is guarded.
#include <optional>

#include <QEventLoop>
#include <QWidget>

#include "platform/types.h"

namespace veilix {

class TForm;

class FormWidget : public QWidget {
public:
    explicit FormWidget(TForm& form);

    // The system move: the window follows the pointer until the move ends.
    // The window manager does it where it can (primary button only, so that
    // the release of any other button still reaches us); otherwise our own
    // loop follows the pointer until a release, which is then delivered.
    void SystemMove(TMouseButton pressed);
    void EndSystemMove();
    bool InSystemMove() const { return moveLoop_ != nullptr; }

    // The window's top-left corner on the screen. After a move by the window
    // manager, Qt may not have heard of the final place yet: it is asked of
    // the window system once, and Qt's idea of it set to match.
    QPoint PlaceOnScreen();

    void ApplyShape(const QRegion& shape);
    void SetShownCursor(TCursor cursor);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct PendingRelease {
        TMouseButton button;
        TShiftState shift;
        TPoint client;
    };
    void Press(QMouseEvent* event);
    void DeliverPendingRelease();

    TForm& form_;
    QEventLoop* moveLoop_ = nullptr;
    QPoint pressGlobal_;
    QPoint movePointerStart_;
    QPoint moveWindowStart_;
    bool placeInDoubt_ = false;
    std::optional<PendingRelease> pendingRelease_;
};

}  // namespace veilix
