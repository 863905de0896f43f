// The three add commands: each cuts one new hole from a template copy.
#include "stencil/stencil_form.h"
#include "templates/template_holder.h"

namespace veilix {

namespace {
// A new hole is as tall as its template, so it shows the template pixel for
// pixel, at the window's left edge, 50 pixels below its top.
constexpr std::int32_t kNewHoleTop = 50;
}  // namespace

void TForm1::AddCube1Click(TComponent*) { AddHole(*Form2->Image1, 100); }
void TForm1::AddCircle1Click(TComponent*) { AddHole(*Form2->Image3, 100); }
void TForm1::AddEllipse1Click(TComponent*) { AddHole(*Form2->Image2, 200); }

void TForm1::AddHole(const TImage& templateImage, std::int32_t width) {
    auto* hole = new TImage(this);
    hole->SetParent(this);
    hole->SetTransparent(true);
    hole->SetStretch(true);
    hole->Picture().Assign(templateImage.Picture());
    hole->SetWidth(width);
    hole->SetHeight(templateImage.Picture().Height());
    hole->SetTop(kNewHoleTop);
    hole->SetLeft(0);
    hole->OnMouseDown = TMouseEvent(this, &TForm1::Image1MouseDown);
    hole->OnMouseEnter = TNotifyEvent(this, &TForm1::Image1MouseEnter);
    hole->OnMouseLeave = TNotifyEvent(this, &TForm1::Image1MouseLeave);
    hole->OnMouseMove = TMouseMoveEvent(this, &TForm1::Image1MouseMove);
    hole->OnMouseUp = TMouseEvent(this, &TForm1::Image1MouseUp);
}

}  // namespace veilix
