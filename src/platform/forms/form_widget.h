#pragma once
// The native window of a TForm: turns Qt's events into the form's pointer
// routing and runs the system move. Its frame presenter composes the form's
// frame and takes it and its shape to the screen. Every entry from Qt is
// guarded.
#include <functional>
#include <memory>
#include <optional>

#include <QEventLoop>
#include <QWidget>

#include "platform/core/types.h"
#include "platform/output/frame_presenter.h"

namespace veilix {

class TForm;

class FormWidget : public QWidget {
public:
    explicit FormWidget(TForm& form);
    ~FormWidget() override;

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

    FramePresenter& Frame() { return frame_; }
    const FramePresenter& Frame() const { return frame_; }
    // The frame follows the window's size.
    void ResizeFrame();
    void SetShownCursor(TCursor cursor);
    void AfterFirstFrame(std::function<void()> job, int latestMs);

protected:
    bool event(QEvent* event) override;
    // None while the output puts the pixels itself: Qt then neither keeps a
    // backing store for the window nor clips its updates to the mask.
    QPaintEngine* paintEngine() const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct PendingRelease {
        TMouseButton button;
        TShiftState shift;
        TPoint client;
    };
    // A pointer move not handled yet: the moves of one burst are handled as
    // one, the last place winning, before anything else reaches the form.
    struct PendingMove {
        TShiftState shift;
        TPoint client;
        std::optional<TPoint> global;  // from the window system
    };
    void HandlePendingMove();
    void RunAfterFrame();
    void Press(QMouseEvent* event);
    struct PointerPixels {
        TPoint client;
        TPoint global;
    };
    // The logical pixels the pointer of event is on, in the window and on the screen.
    PointerPixels PixelsOf(const QMouseEvent* event) const;
    // Where a press or release handler finds the pointer; none: live.
    std::optional<TPoint> PlaceForHandler(const QMouseEvent* event) const;
    void DeliverPendingRelease();

    TForm& form_;
    FramePresenter frame_;
    QEventLoop* moveLoop_ = nullptr;
    QPoint pressGlobal_;
    QPoint movePointerStart_;
    QPoint moveWindowStart_;
    bool placeInDoubt_ = false;
    // The window manager was asked to move the window for a primary press and
    // has not been seen to take that button's release.
    bool managerMoveAwaitsRelease_ = false;
    std::optional<PendingRelease> pendingRelease_;
    std::optional<PendingMove> pendingMove_;
    std::function<void()> afterFrame_;
};

}  // namespace veilix
