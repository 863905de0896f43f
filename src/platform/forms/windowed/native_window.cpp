#include "platform/forms/windowed/native_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/forms/windowed/win_control.h"
#include "platform/graphics/canvas.h"

namespace veilix {

namespace {
WidgetLink* LinkOf(QWidget* widget) { return dynamic_cast<WidgetLink*>(widget); }

std::uintptr_t VirtualKeyOf(const QKeyEvent& event) {
    return event.key() == Qt::Key_Space ? VK_SPACE : std::uintptr_t(event.key());
}

// The message a Qt event becomes, or 0 when Qt handles it alone.
unsigned MessageOf(const QEvent& event, std::uintptr_t& wParam) {
    switch (event.type()) {
        case QEvent::FocusIn: return WM_SETFOCUS;
        case QEvent::FocusOut: return WM_KILLFOCUS;
        case QEvent::Enter: return CM_MOUSEENTER;
        case QEvent::Leave: return CM_MOUSELEAVE;
        case QEvent::EnabledChange: return CM_ENABLEDCHANGED;
        case QEvent::MouseMove: return WM_MOUSEMOVE;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton ? WM_LBUTTONDOWN : 0;
        case QEvent::MouseButtonRelease:
            return static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton ? WM_LBUTTONUP : 0;
        case QEvent::KeyPress: wParam = VirtualKeyOf(static_cast<const QKeyEvent&>(event)); return WM_KEYDOWN;
        case QEvent::KeyRelease: wParam = VirtualKeyOf(static_cast<const QKeyEvent&>(event)); return WM_KEYUP;
        default: return 0;
    }
}
}  // namespace

NativeWindow::NativeWindow(TWinControl& control, QWidget* widget) : control_(control), widget_(widget) {
    if (WidgetLink* link = LinkOf(widget)) link->Link(this);
}

NativeWindow::~NativeWindow() {
    if (!widget_) return;
    if (WidgetLink* link = LinkOf(widget_.data())) link->Link(nullptr);
    delete widget_.data();
}

bool NativeWindow::Route(QEvent* event, const BaseEvent& base) {
    std::uintptr_t wParam = 0;
    const unsigned message = event->type() == QEvent::Paint ? WM_PAINT : MessageOf(*event, wParam);
    if (message == 0) return base(event);
    // An event that comes while another is routed (a focus change inside a
    // click, a repaint inside a handler) leaves the outer one as it found it.
    QEvent* const outerEvent = current_;
    const BaseEvent* const outerBase = base_;
    const bool outerResult = baseResult_;
    current_ = event;
    base_ = &base;
    baseResult_ = true;
    if (message == WM_PAINT)
        RoutePaint();
    else
        control_.Perform(message, wParam, 0);
    const bool result = baseResult_;
    current_ = outerEvent;
    base_ = outerBase;
    baseResult_ = outerResult;
    return result;
}

// The client part first, then the border over it: Qt paints the widget whole.
void NativeWindow::RoutePaint() {
    if (overlay_.size() != widget_->size()) overlay_ = QImage(widget_->size(), QImage::Format_ARGB32_Premultiplied);
    SendPainted(WM_PAINT);
    current_ = nullptr;
    SendPainted(WM_NCPAINT);
    baseResult_ = true;
}

void NativeWindow::SendPainted(unsigned message) {
    overlay_.fill(Qt::transparent);
    TCanvas canvas(overlay_);
    control_.SetWindowCanvas(&canvas);
    struct Reset {
        TWinControl& control;
        ~Reset() { control.SetWindowCanvas(nullptr); }
    } reset{control_};
    control_.Perform(message);
    QPainter painter(widget_.data());
    painter.drawImage(0, 0, overlay_);
}

void NativeWindow::DefaultHandling(TMessage& message) {
    if (message.Msg == WM_NCPAINT) {
        if (TCanvas* canvas = control_.WindowCanvas()) control_.PaintNonClient(*canvas);
        return;
    }
    if (current_ && base_) {
        QEvent* event = current_;
        current_ = nullptr;  // Qt handles an event once
        baseResult_ = (*base_)(event);
    }
}

}  // namespace veilix
