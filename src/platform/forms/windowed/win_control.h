#pragma once
// TWinControl: a control with a window of its own. Every message it gets goes
// to its current window procedure, which others may replace with their own
// and pass messages on to the one they saved; the control's own handling is
// WndProc. Parented to a form or to another windowed control.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/method.h"
#include "platform/core/shortcut.h"
#include "platform/core/types.h"
#include "platform/messages/hidden_window.h"
#include "platform/messages/window_messages.h"

class QWidget;

namespace veilix {

class TCanvas;
class TForm;
class NativeWindow;

using TWndMethod = TMethod<TMessage&>;

class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    const TClassInfo& ClassInfo() const override { return classes::WinControl; }
    // Tells the window procedure that the window goes, then frees the
    // windowed children.
    void BeforeDestruction() override;

    // A form or a windowed control, or none.
    TComponent* Parent() const { return parent_; }
    void SetParent(TForm* parent);
    void SetParent(TWinControl* parent);
    // Whether the control sits inside container, at any depth.
    bool LiesInside(const TComponent* container) const;

    // Receives every message; starts as the control's own WndProc.
    TWndMethod WindowProc;
    // Sends a message through WindowProc and gives its result.
    std::intptr_t Perform(unsigned message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
    // The control's own handling of a message.
    virtual void WndProc(TMessage& message);

    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    std::string Caption() const;
    void SetCaption(const std::string& value);

    TRect BoundsRect() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    int Width() const { return bounds_.Right - bounds_.Left; }
    int Height() const { return bounds_.Bottom - bounds_.Top; }

    bool Focused() const;
    void SetFocus();
    // Asks for the window to be painted again (WM_PAINT, then WM_NCPAINT).
    void Invalidate();
    // The canvas over the whole window, border included, while a paint
    // message is handled; none otherwise.
    TCanvas* WindowCanvas() const { return windowCanvas_; }
    // The native window, for kinds made on one; none for the others.
    QWidget* Widget() const;

    // Counted for kinds without a native window, so their repaints can be seen.
    int InvalidateCount() const { return invalidateCount_; }

protected:
    // Kinds on a native window hand it over once, at construction.
    void AdoptNative(std::unique_ptr<NativeWindow> native);
    // The width of the border that WM_NCPAINT draws: 2 for the 3-D look, 1
    // for a single line, 0 without border. Kinds without a border of their
    // own return 0.
    virtual int NonClientWidth() const { return 0; }
    // Painting of the border for kinds with one, on the window canvas.
    void PaintNonClient(TCanvas& canvas) const;

private:
    friend class NativeWindow;
    friend class TForm;
    void Unparent();
    void ShowInside(TComponent* parent, QWidget* parentWidget);
    void SetWindowCanvas(TCanvas* canvas) { windowCanvas_ = canvas; }

    TComponent* parent_ = nullptr;
    std::vector<TWinControl*> children_;
    std::unique_ptr<NativeWindow> native_;
    TCanvas* windowCanvas_ = nullptr;
    std::string caption_;
    TRect bounds_{};
    bool ctl3D_ = true;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool enabled_ = true;
    bool destroyMessageSent_ = false;
    int invalidateCount_ = 0;
};

}  // namespace veilix
