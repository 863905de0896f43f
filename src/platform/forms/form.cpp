#include "platform/forms/form.h"

#include <algorithm>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include "platform/core/colors.h"
#include "platform/core/failure_boundary.h"
#include "platform/forms/control.h"
#include "platform/forms/form_widget.h"
#include "platform/forms/screen_forms.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"
#include "platform/graphics/qt_conversions.h"
#include "platform/menus/popup_menu.h"
#include "platform/messages/hidden_window.h"
#include "platform/output/frame_composer.h"
#include "platform/output/frame_presenter.h"
#include "platform/system/pointer_over_window.h"
#include "platform/system/screen.h"

namespace veilix {

namespace {
TForm::MainFormCloseHandler& CloseHandler() {
    static TForm::MainFormCloseHandler handler;
    return handler;
}

constexpr TShiftState kButtonsHeld = ssLeft | ssRight | ssMiddle;

TShiftState HeldFlagOf(TMouseButton button) {
    switch (button) {
        case TMouseButton::mbLeft: return ssLeft;
        case TMouseButton::mbRight: return ssRight;
        case TMouseButton::mbMiddle: return ssMiddle;
    }
    return 0;
}

TForm::PointerOverQuery& PointerOverOverride() {
    static TForm::PointerOverQuery query;
    return query;
}
}  // namespace

TForm::TForm(TComponent* owner) : TComponent(owner), widget_(std::make_unique<FormWidget>(*this)) {
    AddScreenForm(*this);
}

TForm::~TForm() {
    RemoveScreenForm(*this);
    // Controls are owned components and go with DestroyComponents; they must
    // not call back into a half-destroyed form.
    DestroyComponents();
    // Windowed children owned elsewhere go with the window they sit in.
    while (!winControls_.empty()) FreeComponent(winControls_.back());
    widget_.reset();
}

void TForm::AfterConstruction() {
    Guarded(this, [&] { OnCreate(this); });
}

void TForm::BeforeDestruction() {
    Hide();
    Guarded(this, [&] { OnDestroy(this); });
}

void TForm::SetCaption(const std::string& caption) {
    caption_ = caption;
    widget_->setWindowTitle(QString::fromStdString(caption));
}

std::int32_t TForm::Left() const { return widget_->PlaceOnScreen().x(); }
std::int32_t TForm::Top() const { return widget_->PlaceOnScreen().y(); }
void TForm::SetLeft(std::int32_t left) { widget_->move(left, Top()); }
void TForm::SetTop(std::int32_t top) { widget_->move(Left(), top); }
std::int32_t TForm::Width() const { return widget_->width(); }
std::int32_t TForm::Height() const { return widget_->height(); }

void TForm::SetClientWidth(std::int32_t width) {
    widget_->resize(width, widget_->height());
    widget_->ResizeFrame();
}

void TForm::SetClientHeight(std::int32_t height) {
    widget_->resize(widget_->width(), height);
    widget_->ResizeFrame();
}

void TForm::SetColor(TColor color) {
    color_ = color;
    Invalidate(TRect{0, 0, Width(), Height()});
}

void TForm::SetBorderStyle(TBorderStyle style) {
    widget_->setWindowFlag(Qt::FramelessWindowHint, style == TBorderStyle::bsNone);
}

bool TForm::TransparentColor() const { return widget_->Frame().Keyed(); }

void TForm::SetTransparentColor(bool on) {
    widget_->Frame().SetKeyed(on);
    Invalidate(TRect{0, 0, Width(), Height()});
}

void TForm::SetTransparentColorValue(TColor color) {
    transparentColorValue_ = color;
    widget_->Frame().SetKeyColour(ToQRgb(color));
    widget_->update();
}

void TForm::Show(TStartState state) {
    // The first frame and its shape exist before the window is mapped, so
    // the window system never shows it unshaped.
    UpdateFrame();
    switch (state) {
        case TStartState::ssMaximized: widget_->showMaximized(); break;
        case TStartState::ssMinimized: widget_->showMinimized(); break;
        case TStartState::ssNormal: widget_->show(); break;
    }
}

void TForm::AfterFirstFrame(std::function<void()> job, int latestMs) {
    widget_->AfterFirstFrame(std::move(job), latestMs);
}

void TForm::Hide() { widget_->hide(); }

TWindowHandle TForm::Handle() const { return HandleOf(widget_.get()); }

int TForm::CanvasBitsPerPixel() const {
    const QScreen* screen = widget_->screen() ? widget_->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

void TForm::DrawMenuBar() { ++menuBarRedrawRequests_; }

void TForm::Repaint() {
    Invalidate(TRect{0, 0, Width(), Height()});
    // A hidden window is composed when it is shown.
    if (Visible()) UpdateFrame();
}
bool TForm::Visible() const { return widget_->isVisible(); }

void TForm::Close() {
    if (CloseHandler() && CloseHandler()(*this)) return;
    Hide();
}

std::intptr_t TForm::Perform(unsigned message, std::uintptr_t wParam, std::intptr_t) {
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_MOVE) widget_->SystemMove(pressedButton_);
            return 0;
        case WM_CANCELMODE: CancelMode(); return 0;
        default: return 0;
    }
}

QWidget* TForm::NativeWidget() const { return widget_.get(); }

void TForm::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (control->HasArea()) Invalidate(control->BoundsRect());
}

void TForm::RemoveControl(TControl* control) {
    if (control->HasArea()) Invalidate(control->BoundsRect());
    std::erase(controls_, control);
    if (capture_ == control) capture_ = nullptr;
    if (hovered_ == control) hovered_ = nullptr;
}

// ---- pointer routing -------------------------------------------------------

TControl* TForm::ControlAt(TPoint client) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* control = *it;
        if (control->HasArea() && control->BoundsRect().Contains(client)) return control;
    }
    return nullptr;
}

bool TForm::IsKeyedAt(TPoint client) const {
    if (!TransparentColor()) return false;
    const TColor key = ColorToRGB(transparentColorValue_);
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const TControl* control = *it;
        if (!control->HasArea() || !control->BoundsRect().Contains(client)) continue;
        const auto pixel = control->PixelAt({client.x - control->Left(), client.y - control->Top()});
        if (pixel) return *pixel == key;
    }
    return ColorToRGB(color_) == key;
}

bool TForm::IsShownAt(TPoint client) const {
    return client.x >= 0 && client.y >= 0 && client.x < Width() && client.y < Height() && !IsKeyedAt(client);
}

void TForm::SetPointerOverQuery(PointerOverQuery query) { PointerOverOverride() = std::move(query); }

bool TForm::PointerIsOverThis() const {
    if (const PointerOverQuery& query = PointerOverOverride()) return query(*this);
    return PointerIsOverWindow(*widget_).value_or(true);
}

bool TForm::OwnsPointerAt(TPoint client, bool heldBefore) const {
    // Over the key colour or outside, the window is not there: the event
    // belongs to what lies beneath. While a button pressed on us is held the
    // window system hands us every event, also those over a window stacked
    // above ours; only then must it be asked what is on top.
    if (!IsShownAt(client)) return false;
    return !heldBefore || PointerIsOverThis();
}

void TForm::MouseDown(TMouseButton button, TShiftState shift, TPoint client) {
    if (!capture_ && !OwnsPointerAt(client, (shift & kButtonsHeld & ~HeldFlagOf(button)) != 0)) return;
    pressedButton_ = button;
    TControl* target = capture_ ? capture_ : ControlAt(client);
    if (!target) {
        OnMouseDown(this, button, shift, client.x, client.y);
        return;
    }
    if (button == TMouseButton::mbLeft) capture_ = target;
    target->OnMouseDown(target, button, shift, client.x - target->Left(), client.y - target->Top());
}

void TForm::MouseMove(TShiftState shift, TPoint client) {
    // The capture's drag steps ask the window system nothing: only the
    // primary button captures, and then every event is the holder's anyway.
    const bool shown = capture_ ? IsShownAt(client) : OwnsPointerAt(client, (shift & kButtonsHeld) != 0);
    UpdateHover(shown ? ControlAt(client) : nullptr);
    if (capture_) {
        capture_->OnMouseMove(capture_, shift, client.x - capture_->Left(), client.y - capture_->Top());
        return;
    }
    if (!shown) return;
    if (hovered_)
        hovered_->OnMouseMove(hovered_, shift, client.x - hovered_->Left(), client.y - hovered_->Top());
    else
        OnMouseMove(this, shift, client.x, client.y);
}

void TForm::MouseUp(TMouseButton button, TShiftState shift, TPoint client) {
    TControl* target = capture_;
    if (target && button == TMouseButton::mbLeft) {
        // The capture ends before the release handler runs.
        capture_ = nullptr;
        SendMouseUp(target, button, shift, client);
        ApplyCursor();
        return;
    }
    if (!target && !OwnsPointerAt(client, true)) return;
    if (!target) target = ControlAt(client);
    if (!target) {
        // On the black area the menu is tracked to its end before the release
        // handler runs.
        if (button == TMouseButton::mbRight) OpenPopupMenuAtPointer();
        OnMouseUp(this, button, shift, client.x, client.y);
        return;
    }
    SendMouseUp(target, button, shift, client);
    if (button == TMouseButton::mbRight) OpenPopupMenuAtPointer();
}

void TForm::SendMouseUp(TControl* control, TMouseButton button, TShiftState shift, TPoint client) {
    control->OnMouseUp(control, button, shift, client.x - control->Left(), client.y - control->Top());
}

void TForm::MouseLeftWindow() { UpdateHover(nullptr); }

void TForm::ContextMenuKey() {
    if (popupMenu_) popupMenu_->Popup(Left(), Top());
}

void TForm::OpenPopupMenuAtPointer() {
    if (!popupMenu_) return;
    const TPoint at = GetCursorPos();
    popupMenu_->Popup(at.x, at.y);
}

void TForm::UpdateHover(TControl* underPointer) {
    if (underPointer == hovered_) return;
    TControl* left = hovered_;
    hovered_ = underPointer;
    if (left) left->OnMouseLeave(left);
    // The leave handler may have run anything; enter only what is still hovered.
    if (hovered_ && hovered_ == underPointer) hovered_->OnMouseEnter(hovered_);
    ApplyCursor();
}

void TForm::ControlCursorChanged(TControl* control) {
    if (control == hovered_) ApplyCursor();
}

void TForm::ApplyCursor() {
    // While a control holds the capture, the shape shown at the press stays.
    if (capture_) return;
    const TCursor cursor = hovered_ ? hovered_->Cursor() : crDefault;
    if (cursor == shownCursor_) return;
    shownCursor_ = cursor;
    widget_->SetShownCursor(cursor);
}

void TForm::ReleaseCapture() {
    capture_ = nullptr;
    widget_->releaseMouse();
    ApplyCursor();
}

void TForm::CancelMode() {
    widget_->EndSystemMove();
    ReleaseCapture();
}

void TForm::CancelModeOfAllForms() {
    for (TForm* form : ScreenForms()) form->CancelMode();
}

void TForm::SetMainFormCloseHandler(MainFormCloseHandler handler) { CloseHandler() = std::move(handler); }

// ---- drawing ---------------------------------------------------------------

void TForm::Invalidate(const TRect& rect) {
    if (rect.IsEmpty()) return;
    widget_->Frame().Invalidate(ToQRect(rect));
}

void TForm::PaintFrame(QImage& frame, TRect clip) {
    TCanvas canvas(frame);
    auto overlaps = [&clip](const TRect& b) {
        return b.Left < clip.Right && b.Right > clip.Left && b.Top < clip.Bottom && b.Bottom > clip.Top;
    };
    // From the top down, each opaque control claims what no control above it
    // has: every pixel is painted once, by the control that shows there,
    // instead of by each control beneath it in turn.
    QRegion unclaimed = ToQRect(clip);
    std::vector<std::pair<const TControl*, QRegion>> claims;
    for (auto it = controls_.rbegin(); it != controls_.rend() && !unclaimed.isEmpty(); ++it) {
        const TControl* control = *it;
        if (!control->HasArea() || !overlaps(control->BoundsRect())) continue;
        if (!control->Opaque()) {
            // What shows through it must be painted first: bottom up, all of it.
            PaintFrameBottomUp(canvas, clip);
            return;
        }
        const QRect bounds = ToQRect(control->BoundsRect());
        QRegion claim = unclaimed & bounds;
        if (claim.isEmpty()) continue;
        unclaimed -= bounds;
        claims.emplace_back(control, std::move(claim));
    }
    canvas.Brush.Color = ColorToRGB(color_);
    for (const QRect& r : unclaimed) canvas.FillRect(ToTRect(r));
    for (const auto& [control, claim] : claims)
        for (const QRect& r : claim) control->Paint(canvas, ToTRect(r));
}

void TForm::PaintFrameBottomUp(TCanvas& canvas, TRect clip) {
    auto covers = [&clip](const TRect& b) {
        return b.Left <= clip.Left && b.Top <= clip.Top && b.Right >= clip.Right && b.Bottom >= clip.Bottom;
    };
    auto overlaps = [&clip](const TRect& b) {
        return b.Left < clip.Right && b.Right > clip.Left && b.Top < clip.Bottom && b.Bottom > clip.Top;
    };
    // Start at the topmost control that covers the whole clip opaquely:
    // nothing beneath it can show.
    std::ptrdiff_t first = -1;
    for (std::ptrdiff_t i = std::ptrdiff_t(controls_.size()) - 1; i >= 0 && first < 0; --i) {
        const TControl* control = controls_[std::size_t(i)];
        if (control->HasArea() && control->Opaque() && covers(control->BoundsRect())) first = i;
    }
    if (first < 0) {
        canvas.Brush.Color = ColorToRGB(color_);
        canvas.FillRect(clip);
        first = 0;
    }
    for (std::size_t i = std::size_t(first); i < controls_.size(); ++i) {
        const TControl* control = controls_[i];
        if (control->HasArea() && overlaps(control->BoundsRect())) control->Paint(canvas, clip);
    }
}

void TForm::UpdateFrame() { widget_->Frame().Present(); }

const FrameComposer& TForm::Composer() const { return widget_->Frame().Composer(); }

TColor TForm::FramePixel(int x, int y) const {
    const QImage& frame = Composer().Frame();
    if (!frame.valid(x, y)) return 0xFFFFFFFF;
    return FromQRgb(frame.pixel(x, y));
}

}  // namespace veilix
