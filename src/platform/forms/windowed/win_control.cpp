#include "platform/forms/windowed/win_control.h"

#include <algorithm>

#include <QWidget>

#include "platform/core/colors.h"
#include "platform/forms/form.h"
#include "platform/forms/windowed/native_window.h"
#include "platform/graphics/canvas.h"

namespace veilix {

namespace {
// The system colours of the sunken 3-D border.
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DLight = 0xFF000016;
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
    WindowProc = TWndMethod(this, &TWinControl::WndProc);
}

TWinControl::~TWinControl() {
    if (!destroyMessageSent_) TWinControl::BeforeDestruction();
    native_.reset();
}

void TWinControl::BeforeDestruction() {
    if (destroyMessageSent_) return;
    destroyMessageSent_ = true;
    Perform(WM_DESTROY);
    while (!children_.empty()) FreeComponent(children_.back());
    Unparent();
}

void TWinControl::Unparent() {
    if (auto* form = dynamic_cast<TForm*>(parent_)) std::erase(form->winControls_, this);
    if (auto* control = dynamic_cast<TWinControl*>(parent_)) std::erase(control->children_, this);
    parent_ = nullptr;
}

void TWinControl::SetParent(TForm* parent) {
    Unparent();
    if (!parent) return;
    parent->winControls_.push_back(this);
    ShowInside(parent, parent->NativeWidget());
}

void TWinControl::SetParent(TWinControl* parent) {
    Unparent();
    if (!parent) return;
    parent->children_.push_back(this);
    ShowInside(parent, parent->Widget());
}

void TWinControl::ShowInside(TComponent* parent, QWidget* parentWidget) {
    parent_ = parent;
    if (QWidget* widget = Widget()) {
        widget->setParent(parentWidget);
        widget->show();
    }
}

bool TWinControl::LiesInside(const TComponent* container) const {
    for (const TComponent* p = parent_; p;
         p = dynamic_cast<const TWinControl*>(p) ? static_cast<const TWinControl*>(p)->parent_ : nullptr)
        if (p == container) return true;
    return false;
}

std::intptr_t TWinControl::Perform(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    TMessage m{message, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TWinControl::WndProc(TMessage& message) {
    if (native_) {
        native_->DefaultHandling(message);
    } else if (message.Msg == WM_NCPAINT && windowCanvas_) {
        PaintNonClient(*windowCanvas_);
    }
}

void TWinControl::SetCtl3D(bool value) {
    ctl3D_ = value;
    if (native_ && native_->SetBorderWidth) native_->SetBorderWidth(NonClientWidth());
    Invalidate();
}

void TWinControl::SetBorderStyle(TBorderStyle value) {
    borderStyle_ = value;
    if (native_ && native_->SetBorderWidth) native_->SetBorderWidth(NonClientWidth());
    Invalidate();
}

void TWinControl::SetEnabled(bool value) {
    enabled_ = value;
    if (QWidget* widget = Widget())
        widget->setEnabled(value);
    else
        Perform(CM_ENABLEDCHANGED);
}

std::string TWinControl::Caption() const { return caption_; }

void TWinControl::SetCaption(const std::string& value) {
    caption_ = value;
    if (native_ && native_->SetText) native_->SetText(value);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    bounds_ = veilix::BoundsRect(left, top, width, height);
    if (QWidget* widget = Widget()) widget->setGeometry(left, top, width, height);
}

bool TWinControl::Focused() const {
    QWidget* widget = Widget();
    return widget && widget->hasFocus();
}

void TWinControl::SetFocus() {
    if (QWidget* widget = Widget()) widget->setFocus(Qt::OtherFocusReason);
}

void TWinControl::Invalidate() {
    ++invalidateCount_;
    if (QWidget* widget = Widget()) widget->update();
}

QWidget* TWinControl::Widget() const { return native_ ? native_->Widget() : nullptr; }

void TWinControl::AdoptNative(std::unique_ptr<NativeWindow> native) {
    native_ = std::move(native);
    if (native_->SetBorderWidth) native_->SetBorderWidth(NonClientWidth());
}

// The classic borders: two sunken lines with Ctl3D, one black line without.
void TWinControl::PaintNonClient(TCanvas& canvas) const {
    const int width = NonClientWidth();
    if (width == 0) return;
    const int w = Width(), h = Height();
    auto frame = [&](TRect r, TColor topLeft, TColor bottomRight) {
        canvas.Pen.Color = topLeft;
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        canvas.Pen.Color = bottomRight;
        canvas.MoveTo(r.Right - 1, r.Top + 1);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left - 1, r.Bottom - 1);
    };
    if (width == 1) {
        frame({0, 0, w, h}, clBlack, clBlack);
        return;
    }
    frame({0, 0, w, h}, clBtnShadow, clBtnHighlight);
    frame({1, 1, w - 1, h - 1}, cl3DDkShadow, cl3DLight);
}

}  // namespace veilix
