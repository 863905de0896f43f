#pragma once
// The native window of a TForm: turns Qt's events into the form's pointer
// routing, paints the composed frame and applies the shape. Every entry from
// Qt is guarded.
#include <functional>
#include <memory>
#include <optional>

#include <QEventLoop>
#include <QWidget>

#include "platform/core/types.h"

namespace veilix {

class FrameComposer;
class TForm;
class X11Surface;

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

    // The pixels the window shows and the pointer finds, the composed frame's
    // shape; the rest lets what lies beneath show and take the pointer.
    void ApplyShape(const FrameComposer& composer);
    // Asks for the frame to be composed at the next update: what it changes
    // is then repainted, not the whole area asked for.
    void RequestFrame();
    // Shows the pixels of the composed frame that changed.
    void ShowChanged(const QRegion& changed);
    // Everything shown again.
    void ClearShape();
    void SetShownCursor(TCursor cursor);
    void AfterFirstFrame(std::function<void()> job, int latestMs);

protected:
    bool event(QEvent* event) override;
    // None while the pixels go to the X server directly: Qt then neither
    // keeps a backing store for the window nor clips its updates to the mask.
    QPaintEngine* paintEngine() const override;
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
    void DeliverPendingRelease();
    // The X11 way to draw and shape, decided when the first shape is applied
    // (before the window is shown), or none.
    X11Surface* NativeSurface();

    TForm& form_;
    // Wayland compositors take no window shapes: the keyed pixels are painted
    // fully transparent and the shape becomes the input region.
    const bool wayland_;
    std::optional<QRegion> shownByAlpha_;
    QEventLoop* moveLoop_ = nullptr;
    QPoint pressGlobal_;
    QPoint movePointerStart_;
    QPoint moveWindowStart_;
    bool placeInDoubt_ = false;
    std::optional<PendingRelease> pendingRelease_;
    std::optional<PendingMove> pendingMove_;
    std::unique_ptr<X11Surface> surface_;
    bool surfaceDecided_ = false;
    bool frameRequested_ = false;
    std::function<void()> afterFrame_;
};

}  // namespace veilix
