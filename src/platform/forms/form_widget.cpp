#include "platform/forms/form_widget.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <utility>

#include "platform/core/device_pixels.h"
#include "platform/core/failure_boundary.h"
#include "platform/forms/form.h"
#include "platform/graphics/qt_conversions.h"
#include "platform/system/device_pointer.h"
#include "platform/system/platform_kind.h"
#include "platform/system/screen.h"
#include "platform/system/window_manager_move.h"
#include "platform/system/window_place.h"

namespace veilix {

namespace {
std::optional<TMouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return TMouseButton::mbLeft;
        case Qt::RightButton: return TMouseButton::mbRight;
        case Qt::MiddleButton: return TMouseButton::mbMiddle;
        default: return std::nullopt;
    }
}

TShiftState ShiftOf(const QMouseEvent* event) {
    TShiftState shift = 0;
    const auto modifiers = event->modifiers();
    if (modifiers & Qt::ShiftModifier) shift |= ssShift;
    if (modifiers & Qt::AltModifier) shift |= ssAlt;
    if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
    const auto buttons = event->buttons();
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}

TPoint ToTPoint(QPoint p) { return {p.x(), p.y()}; }

// Posted once a burst of moves has begun; handled after the rest of the
// burst, which the window system delivers before any posted event.
const QEvent::Type kHandleMove = QEvent::Type(QEvent::registerEventType());

Qt::CursorShape ShapeOf(TCursor cursor) {
    switch (cursor) {
        case crSizeWE: return Qt::SizeHorCursor;
        case crSizeNS: return Qt::SizeVerCursor;
        case crSizeNESW: return Qt::SizeBDiagCursor;
        case crSizeNWSE: return Qt::SizeFDiagCursor;
        default: return Qt::ArrowCursor;
    }
}
}  // namespace

FormWidget::FormWidget(TForm& form)
    : QWidget(nullptr, Qt::Window),
      form_(form),
      frame_(*this, [&form](QImage& frame, const QRect& clip) { form.PaintFrame(frame, ToTRect(clip)); }) {
    // We paint every pixel from the composed frame ourselves.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    RecordDevicePointer();
    frame_.Resize(size(), devicePixelRatioF());
}

FormWidget::~FormWidget() = default;

QPaintEngine* FormWidget::paintEngine() const { return frame_.PaintsOnScreen() ? nullptr : QWidget::paintEngine(); }

QPoint FormWidget::PlaceOnScreen() {
    if (placeInDoubt_) {
        placeInDoubt_ = false;
        const auto real = WindowPlaceOnScreen(*this);
        if (real && *real != pos()) move(*real);
    }
    return pos();
}

void FormWidget::ResizeFrame() {
    frame_.Resize(size(), devicePixelRatioF());
    update();
}

void FormWidget::SetShownCursor(TCursor cursor) { setCursor(ShapeOf(cursor)); }

void FormWidget::AfterFirstFrame(std::function<void()> job, int latestMs) {
    afterFrame_ = std::move(job);
    QTimer::singleShot(latestMs, this, [this] { RunAfterFrame(); });
}

void FormWidget::RunAfterFrame() {
    if (!afterFrame_) return;
    const std::function<void()> job = std::exchange(afterFrame_, nullptr);
    Guarded(&form_, job);
}

bool FormWidget::event(QEvent* event) {
    if (event->type() == kHandleMove) {
        HandlePendingMove();
        return true;
    }
    // Whatever comes after a move finds the move handled.
    if (pendingMove_ && event->type() != QEvent::MouseMove) HandlePendingMove();
    // On a screen of another scale the frame is composed anew at its ratio.
    if (event->type() == QEvent::ScreenChangeInternal && devicePixelRatioF() != frame_.Composer().Ratio())
        Guarded(&form_, [&] { ResizeFrame(); });
    // Qt clips a repaint to the window's shape as it stands when the repaint
    // begins. So the frame is composed and its shape set first: the pixels
    // that the new shape shows are then painted from the new frame, and the
    // shape reaches the window system ahead of them in the same flush.
    if (event->type() == QEvent::UpdateRequest) Guarded(&form_, [&] { frame_.Present(); });
    return QWidget::event(event);
}

void FormWidget::paintEvent(QPaintEvent* event) {
    Guarded(&form_, [&] {
        // Queued: the frame reaches the window system first (ours is flushed
        // in the put, Qt's backing store after this returns).
        if (afterFrame_) QMetaObject::invokeMethod(this, &FormWidget::RunAfterFrame, Qt::QueuedConnection);
        frame_.Paint(event->region());
    });
}

void FormWidget::resizeEvent(QResizeEvent*) {
    Guarded(&form_, [&] { ResizeFrame(); });
}

void FormWidget::Press(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (!button) return;
    // A move started by this press follows the pointer from where it was
    // pressed, not from wherever it is once the handler runs.
    pressGlobal_ = event->globalPosition().toPoint();
    managerMoveAwaitsRelease_ = false;
    const PointerPlaceDuringMove live(PlaceForHandler(event));
    Guarded(&form_, [&] { form_.MouseDown(*button, ShiftOf(event), PixelsOf(event).client); });
    DeliverPendingRelease();
}

FormWidget::PointerPixels FormWidget::PixelsOf(const QMouseEvent* event) const {
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0) return {ToTPoint(event->position().toPoint()), ToTPoint(event->globalPosition().toPoint())};
    // The logical pixel under the pointer is the one whose device pixels it
    // is on. Qt's logical position may be rounded to the pixel beside it;
    // the window system's device position is exact.
    const QPoint origin = screen() ? screen()->geometry().topLeft() : QPoint();
    auto logical = [ratio](QPoint device) {
        return QPoint(LogicalPixelOfDevice(device.x(), ratio), LogicalPixelOfDevice(device.y(), ratio));
    };
    if (const auto device = DevicePointerOf(*event, *this))
        return {ToTPoint(logical(device->local)), ToTPoint(origin + logical(device->global - origin))};
    auto nearest = [ratio](QPointF p) { return QPoint(LogicalPixelAt(p.x(), ratio), LogicalPixelAt(p.y(), ratio)); };
    return {ToTPoint(nearest(event->position())), ToTPoint(nearest(event->globalPosition()))};
}

std::optional<TPoint> FormWidget::PlaceForHandler(const QMouseEvent* event) const {
    // At 1:1 a handler reads the pointer where it is now. Scaled, Qt rounds
    // that place to the nearest logical point, which need not be the pixel
    // the pointer is on; the event's own place is exact.
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0 || !event->spontaneous()) return std::nullopt;
    return PixelsOf(event).global;
}

void FormWidget::mousePressEvent(QMouseEvent* event) { Press(event); }

void FormWidget::mouseDoubleClickEvent(QMouseEvent* event) { Press(event); }

void FormWidget::mouseMoveEvent(QMouseEvent* event) {
    if (moveLoop_) {
        move(moveWindowStart_ + (event->globalPosition().toPoint() - movePointerStart_));
        return;
    }
    const PointerPixels pixels = PixelsOf(event);
    const bool posted = pendingMove_.has_value();
    pendingMove_ = PendingMove{ShiftOf(event), pixels.client,
                               event->spontaneous() ? std::optional<TPoint>(pixels.global) : std::nullopt};
    if (!posted) QCoreApplication::postEvent(this, new QEvent(kHandleMove));
}

void FormWidget::HandlePendingMove() {
    if (!pendingMove_) return;
    const PendingMove move = *pendingMove_;
    pendingMove_.reset();
    const PointerPlaceDuringMove place(move.global);
    Guarded(&form_, [&] { form_.MouseMove(move.shift, move.client); });
    // What the move changed reaches the screen now, not after the update
    // request's turn of the event loop (which then finds nothing to do).
    Guarded(&form_, [&] { frame_.PresentIfRequested(); });
}

void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
    const auto button = ButtonOf(event->button());
    if (!button) return;
    if (moveLoop_) {
        // The release that ends our own move still reaches the window, after
        // the press handler that started the move has returned.
        pendingRelease_ = PendingRelease{*button, ShiftOf(event), PixelsOf(event).client};
        EndSystemMove();
        return;
    }
    const bool awaited = *button == TMouseButton::mbLeft && std::exchange(managerMoveAwaitsRelease_, false);
    if (awaited && event->globalPosition().toPoint() == pressGlobal_) {
        // The manager takes the release once it holds the pointer; this one
        // may have come before (press and release in one burst, as a tap
        // sends them), and the move would never end. Released where it was
        // pressed, the window has not moved: cancelling costs nothing, even
        // for a move the manager has already ended. After a drag the
        // manager had the pointer and ends the move itself.
        CancelWindowManagerMove(*this);
    }
    const PointerPlaceDuringMove live(PlaceForHandler(event));
    Guarded(&form_, [&] { form_.MouseUp(*button, ShiftOf(event), PixelsOf(event).client); });
}

void FormWidget::DeliverPendingRelease() {
    if (!pendingRelease_) return;
    const PendingRelease release = *pendingRelease_;
    pendingRelease_.reset();
    Guarded(&form_, [&] { form_.MouseUp(release.button, release.shift, release.client); });
}

void FormWidget::leaveEvent(QEvent*) {
    Guarded(&form_, [&] { form_.MouseLeftWindow(); });
}

// The sheet shows nothing of its focus, so gaining or losing it (as when its
// menu opens and closes) repaints nothing: Qt's own handlers would repaint the
// whole window.
void FormWidget::focusInEvent(QFocusEvent*) {}

void FormWidget::focusOutEvent(QFocusEvent*) {}

void FormWidget::closeEvent(QCloseEvent* event) {
    // A close request from the window system does what the close command does;
    // whether the window goes away is the form's decision, not Qt's.
    event->ignore();
    Guarded(&form_, [&] { form_.Close(); });
}

void FormWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard) return;
    Guarded(&form_, [&] { form_.ContextMenuKey(); });
}

void FormWidget::SystemMove(TMouseButton pressed) {
    if (moveLoop_) return;
    if (pressed == TMouseButton::mbLeft && windowHandle() && windowHandle()->startSystemMove()) {
        placeInDoubt_ = true;
        managerMoveAwaitsRelease_ = true;
        return;
    }
    QEventLoop loop;
    moveLoop_ = &loop;
    movePointerStart_ = pressGlobal_;
    moveWindowStart_ = pos();
    // Wayland keeps the pointer with the window pressed on until the release
    // anyway; Qt grabs it there for popups only.
    const bool grab = CurrentPlatform() != PlatformKind::Wayland;
    if (grab) grabMouse();
    loop.exec();
    if (grab) releaseMouse();
    moveLoop_ = nullptr;
}

void FormWidget::EndSystemMove() {
    if (moveLoop_) moveLoop_->quit();
}

}  // namespace veilix
