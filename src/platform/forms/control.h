#pragma once
// TControl: a lightweight control without a native window, drawn by its parent
// form in creation order. Each bounds setter changes one bound and keeps the
// other three, with no limits applied.
#include <cstdint>
#include <optional>

#include "platform/core/component.h"
#include "platform/core/events.h"

namespace veilix {

class TCanvas;
class TForm;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    const TClassInfo& ClassInfo() const override { return classes::Control; }

    TForm* Parent() const { return parent_; }
    void SetParent(TForm* parent);

    std::int32_t Left() const { return left_; }
    std::int32_t Top() const { return top_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    void SetLeft(std::int32_t value);
    void SetTop(std::int32_t value);
    void SetWidth(std::int32_t value);
    void SetHeight(std::int32_t value);
    TRect BoundsRect() const { return veilix::BoundsRect(left_, top_, width_, height_); }

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Draws the control onto its parent's surface (parent client coordinates),
    // touching only pixels inside clip.
    virtual void Paint(TCanvas& canvas, const TRect& clip) const = 0;
    // The colour the control paints at a point of its own, or none where it
    // paints nothing.
    virtual std::optional<TColor> PixelAt(TPoint local) const = 0;
    // Whether the control paints every pixel of its bounds, hiding whatever
    // lies beneath it.
    virtual bool Opaque() const { return false; }

    // Whether the pointer can reach the control at all: shown, parented and
    // with an area.
    bool HasArea() const { return visible_ && width_ > 0 && height_ > 0; }

protected:
    void Invalidate();
    void ChangeBound(std::int32_t& bound, std::int32_t value);

private:
    TForm* parent_ = nullptr;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    TCursor cursor_ = crDefault;
    bool visible_ = true;
};

}  // namespace veilix
