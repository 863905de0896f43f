#pragma once
// TForm: one top-level window. It composes every repaint off-screen, keys its
// shape on a colour, routes pointer events to its image controls (topmost
// under the pointer, capture for the primary button, enter and leave) and shows
// the cursor of the control under the pointer.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/events.h"
#include "platform/core/types.h"
#include "platform/messages/window_messages.h"
#include "platform/system/show_command.h"

class QImage;
class QWidget;

namespace veilix {

class FormWidget;
class FrameComposer;
class TBitmap;
class TCanvas;
class TControl;
class TPopupMenu;
class TWinControl;

class TForm : public TComponent {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    const TClassInfo& ClassInfo() const override { return classes::Form; }

    // Runs the create handler once the stored description is applied.
    void AfterConstruction();
    // Hides the window, then runs the destroy handler.
    void BeforeDestruction() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    std::int32_t Left() const;
    std::int32_t Top() const;
    void SetLeft(std::int32_t left);
    void SetTop(std::int32_t top);
    std::int32_t Width() const;
    std::int32_t Height() const;
    std::int32_t ClientWidth() const { return Width(); }
    std::int32_t ClientHeight() const { return Height(); }
    void SetClientWidth(std::int32_t width);
    void SetClientHeight(std::int32_t height);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void SetBorderStyle(TBorderStyle style);
    bool TransparentColor() const;
    void SetTransparentColor(bool on);
    TColor TransparentColorValue() const { return transparentColorValue_; }
    void SetTransparentColorValue(TColor color);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

    void Show(TStartState state = TStartState::ssNormal);
    // Runs job once the window's first frame has gone to the window system,
    // or after latestMs where none is asked for by then.
    void AfterFirstFrame(std::function<void()> job, int latestMs);
    void Hide();
    bool Visible() const;
    TWindowHandle Handle() const;
    // Colour depth of the screen the window is on, for what paints on it.
    int CanvasBitsPerPixel() const;
    // Asks for the menu bar to be drawn anew. Our windows have no menu bar:
    // the requests are only counted.
    void DrawMenuBar();
    int MenuBarRedrawRequests() const { return menuBarRedrawRequests_; }
    // Invalidates the whole window and, when it is shown, composes it now.
    void Repaint();
    // The close operation: no close-query or close handler here, so the
    // action is hide; the application ends the program for its main window.
    void Close();
    std::intptr_t Perform(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    const std::vector<TControl*>& Controls() const { return controls_; }

    // Pointer routing, fed by the native window (client coordinates).
    void MouseDown(TMouseButton button, TShiftState shift, TPoint client);
    void MouseMove(TShiftState shift, TPoint client);
    void MouseUp(TMouseButton button, TShiftState shift, TPoint client);
    void MouseLeftWindow();
    void ContextMenuKey();

    // The topmost control with an area under a client point, or none.
    TControl* ControlAt(TPoint client) const;
    // Whether the pixel at a client point shows the key colour, so that the
    // window system passes the pointer through to what lies beneath.
    bool IsKeyedAt(TPoint client) const;
    // Whether the window is there for the pointer at a client point: inside
    // it and not keyed. Events elsewhere belong to what lies beneath.
    bool IsShownAt(TPoint client) const;
    // Whether the form is what the pointer is over on the screen now, no other
    // window above it there. The window system answers unless a query is set
    // (tests); an empty query puts the window system back.
    using PointerOverQuery = std::function<bool(const TForm& form)>;
    static void SetPointerOverQuery(PointerOverQuery query);
    TControl* CaptureControl() const { return capture_; }
    TCursor ShownCursor() const { return shownCursor_; }
    void ReleaseCapture();
    void CancelMode();

    // Drawing: invalidated areas are recomposed together at the next repaint.
    void Invalidate(const TRect& rect);
    // Composes what is pending and shows it now.
    void UpdateFrame();
    // The composed frame's pixel at device pixel (x, y): on a scaled
    // desktop, not at logical (x, y).
    TColor FramePixel(int x, int y) const;
    const FrameComposer& Composer() const;
    QWidget* NativeWidget() const;

    // The application decides what closing its main window means; returns
    // true when it took the close as the main window's.
    using MainFormCloseHandler = std::function<bool(TForm& form)>;
    static void SetMainFormCloseHandler(MainFormCloseHandler handler);
    static void CancelModeOfAllForms();

private:
    friend class TControl;
    friend class TWinControl;
    friend class FormWidget;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void ControlCursorChanged(TControl* control);
    void PaintFrame(QImage& frame, TRect clip);
    void PaintFrameBottomUp(TCanvas& canvas, TRect clip);
    bool OwnsPointerAt(TPoint client, bool heldBefore) const;
    bool PointerIsOverThis() const;
    void UpdateHover(TControl* underPointer);
    void ApplyCursor();
    void OpenPopupMenuAtPointer();
    void SendMouseUp(TControl* control, TMouseButton button, TShiftState shift, TPoint client);

    std::unique_ptr<FormWidget> widget_;
    std::vector<TControl*> controls_;
    // The windowed controls parented here, which go with the form.
    std::vector<TComponent*> winControls_;
    std::string caption_;
    TColor color_ = 0xFF00000F;  // the system button face colour until designed
    TColor transparentColorValue_ = 0;
    TPopupMenu* popupMenu_ = nullptr;
    TControl* capture_ = nullptr;
    TControl* hovered_ = nullptr;
    TCursor shownCursor_ = crDefault;
    TMouseButton pressedButton_ = TMouseButton::mbLeft;
    int menuBarRedrawRequests_ = 0;
};

}  // namespace veilix
