// The five handlers shared by every hole, and the hit test. The hole is the
// sender; button, shift state and event coordinates are not used: the pointer
// is read from the window system.
#include "platform/system/screen.h"
#include "stencil/hole_geometry.h"
#include "stencil/stencil_form.h"

namespace veilix {

namespace {
TImage& HoleOf(TComponent* sender) { return *static_cast<TImage*>(sender); }
}  // namespace

void TForm1::Image1MouseDown(TComponent* sender, TMouseButton, TShiftState, int, int) {
    TImage& hole = HoleOf(sender);
    drag_.Dragging = true;
    *drag_.CursorAtPress = GetCursorPos();
    drag_.StartLeft = hole.Left();
    drag_.StartTop = hole.Top();
    drag_.StartWidth = hole.Width();
    drag_.StartHeight = hole.Height();
}

void TForm1::Image1MouseUp(TComponent* sender, TMouseButton, TShiftState, int, int) {
    drag_.Dragging = false;
    HoleOf(sender).SetCursor(crDefault);
}

void TForm1::Image1MouseEnter(TComponent* sender) {
    if (!drag_.Dragging) UpdateHitZone(HoleOf(sender));
}

void TForm1::Image1MouseLeave(TComponent* sender) {
    if (!drag_.Dragging) HoleOf(sender).SetCursor(crDefault);
}

void TForm1::Image1MouseMove(TComponent* sender, TShiftState, int, int) {
    TImage& hole = HoleOf(sender);
    if (!drag_.Dragging) {
        UpdateHitZone(hole);
        return;
    }
    *drag_.CursorNow = GetCursorPos();
    ApplyDragStep(drag_.Zone, drag_, hole);
}

void TForm1::UpdateHitZone(TImage& hole) {
    *drag_.CursorNow = GetCursorPos();
    const TPoint origin{Left() + hole.Left(), Top() + hole.Top()};
    const THit hit = HitZoneAt(*drag_.CursorNow, origin, hole.Width(), hole.Height());
    drag_.Zone = hit.Zone;
    hole.SetCursor(hit.Cursor);
}

}  // namespace veilix
