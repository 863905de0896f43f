#include "menu_painter/menu_frame.h"

#include <cstdlib>

#include "menu_painter/flat_menu.h"
#include "platform/graphics/canvas.h"
#include "platform/menus/menu.h"
#include "platform/menus/menu_window_by_handle.h"

namespace veilix {

namespace {

// A size change this small keeps the shape the window has: setting one
// makes the window system redraw the whole menu.
constexpr int kRegionSlack = 5;
// The shadow's width, and how far it lies right of and below the menu.
constexpr int kShadow = 2;

class FramePaintingFlag {
public:
    explicit FramePaintingFlag(TFlatMenu& painter) : painter_(painter) { painter_.SetFramePainting(true); }
    ~FramePaintingFlag() { painter_.SetFramePainting(false); }
    FramePaintingFlag(const FramePaintingFlag&) = delete;
    FramePaintingFlag& operator=(const FramePaintingFlag&) = delete;

private:
    TFlatMenu& painter_;
};

void FollowWindow(TWindowHandle window) {
    if (GetWindowProc(window) == &MenuFrameWndProc) return;
    SetWindowUserData(window, reinterpret_cast<std::intptr_t>(GetWindowProc(window)));
    SetWindowProc(window, &MenuFrameWndProc);
}

// The menu minus its top-right and bottom-left corners, plus the shadow.
void ShapeWithShadow(TWindowHandle window, int w, int h) {
    const auto box = GetWindowRegionBox(window);
    if (box && std::abs(box->Right - w) <= kRegionSlack && std::abs(box->Bottom - h) <= kRegionSlack) return;
    SetWindowRegion(window, TWindowRegion{{0, 0, w - kShadow, h - kShadow}, {kShadow, kShadow, w, h}}, true);
}

// Rows top and top + 1 from column 1 over w - 1 columns become row 3, so the
// border shows the background of the item beside it.
void CopyRowThree(TCanvas& canvas, int top, int w) {
    for (int row = top; row < top + 2; ++row) canvas.CopyRect({1, row, w, row + 1}, canvas, {1, 3, w, 4});
}

void PaintIconColumnEdge(TCanvas& canvas, TColor colour, int w, int h, bool rightToLeft) {
    canvas.Pen.Color = colour;
    if (rightToLeft) {
        canvas.MoveTo(w - 3, 2);
        canvas.LineTo(w - 2, h - 1);
        return;
    }
    canvas.Rectangle({1, 2, 3, h - 1});
}

void PaintFrame(TCanvas& canvas, const TFlatMenu& painter, int w, int h, bool rightToLeft) {
    const TMenuPalette& palette = painter.Palette();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Color = palette.FrameColor;
    canvas.Rectangle({0, 0, w, h});
    PaintIconColumnEdge(canvas, palette.IconColumnColor, w, h, rightToLeft);
    CopyRowThree(canvas, 1, w);
    if (!painter.IsV51()) return;
    CopyRowThree(canvas, h - 3, w);
    canvas.Pen.Color = palette.MenuColor;
    canvas.Rectangle({w - 3, 1, w - 1, h - 1});
}

void PaintShadow(TCanvas& canvas, TColor colour, int w, int h) {
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = colour;
    canvas.FillRect({kShadow, h - kShadow, w, h});
    canvas.FillRect({w - kShadow, kShadow, w, h});
}

bool IsFramed(TWindowHandle window) { return window != 0 && GetWindowProc(window) == &MenuFrameWndProc; }

bool EndsTheMenu(unsigned msg, std::uintptr_t wparam) {
    return (msg == WM_SHOWWINDOW && wparam == 0) || msg == WM_CLOSE || msg == WM_DESTROY;
}

// The framed menu two pixels right of this one, level with its top or its
// bottom, repaints its frame.
void RepaintFramedNeighbour(TWindowHandle window) {
    const auto r = GetWindowRect(window);
    if (!r) return;
    TWindowHandle neighbour = WindowFromPoint({r->Right + 2, r->Top + 2});
    if (!IsFramed(neighbour)) neighbour = WindowFromPoint({r->Right + 2, r->Bottom - 2});
    if (IsFramed(neighbour)) InvalidateWindow(neighbour, false);
}

}  // namespace

void PaintMenuFrame(TFlatMenu& painter, TWindowHandle window, bool rightToLeft) {
    if (window == 0 || painter.FramePainting()) return;
    TWindowSurface surface(window);
    const auto bounds = GetWindowRect(window);
    if (!surface.Canvas() || !bounds) return;
    FramePaintingFlag painting(painter);
    TCanvas& canvas = *surface.Canvas();
    int w = bounds->Width(), h = bounds->Height();
    FollowWindow(window);
    const bool shadow = !painter.IsV51();
    if (shadow) {
        ShapeWithShadow(window, w, h);
        w -= kShadow;
        h -= kShadow;
    }
    PaintFrame(canvas, painter, w, h, rightToLeft);
    if (shadow) PaintShadow(canvas, painter.Palette().ShadowColor, w + kShadow, h + kShadow);
}

std::intptr_t MenuFrameWndProc(TWindowHandle window, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    const auto saved = reinterpret_cast<TWindowProc>(GetWindowUserData(window));
    // The items' images are all the background the menu needs.
    if (msg == WM_ERASEBKGND) return 1;
    if (!EndsTheMenu(msg, wparam)) return CallWindowProc(saved, window, msg, wparam, lparam);
    SetWindowRegion(window, std::nullopt, false);
    SetWindowProc(window, saved);
    SetWindowUserData(window, 0);
    const std::intptr_t result = CallWindowProc(saved, window, msg, wparam, lparam);
    RepaintFramedNeighbour(window);
    return result;
}

void PaintRequestedFrame(const TMessage& request, TFlatMenu* servingPainter) {
    if (request.Msg == MsgFrameByWindow) {
        const auto window = TWindowHandle(request.LParam);
        if (window != 0 && servingPainter) PaintMenuFrame(*servingPainter, window, request.WParam != 0);
        return;
    }
    if (request.Msg != MsgFrameByItem || request.LParam == 0) return;
    // The item may have gone since: it is read only once a window shows it.
    const auto* item = reinterpret_cast<const TMenuItem*>(request.LParam);
    const auto r = GetMenuItemScreenRect(item);
    if (!r) return;
    // Integer halves round toward zero, as the window system's midpoint does.
    const TWindowHandle window = WindowFromPoint({(r->Left + r->Right) / 2, (r->Top + r->Bottom) / 2});
    if (window == 0 || !servingPainter) return;
    const TMenu* menu = item->GetParentMenu();
    PaintMenuFrame(*servingPainter, window, menu && menu->IsRightToLeft());
}

}  // namespace veilix
