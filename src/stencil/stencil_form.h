#pragma once
// TForm1: the stencil. A borderless black sheet keyed on lime, with the popup
// menu that adds holes and closes it, and the drag record the holes share.
#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/menus/popup_menu.h"
#include "stencil/drag_record.h"

namespace veilix {

class TFlatMenu;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* AddCube1 = nullptr;
    TMenuItem* AddCircle1 = nullptr;
    TMenuItem* AddEllipse1 = nullptr;
    TMenuItem* Close2 = nullptr;
    TFlatMenu* FlatMenu1 = nullptr;

    const TDragRecord& Drag() const { return drag_; }

    void FormCreate(TComponent* sender);
    void FormDestroy(TComponent* sender);
    void FormMouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void FormMouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Close1Click(TComponent* sender);
    void AddCube1Click(TComponent* sender);
    void AddCircle1Click(TComponent* sender);
    void AddEllipse1Click(TComponent* sender);

    void Image1MouseDown(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image1MouseUp(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image1MouseEnter(TComponent* sender);
    void Image1MouseLeave(TComponent* sender);
    void Image1MouseMove(TComponent* sender, TShiftState shift, int x, int y);

private:
    TMenuItem* AddMenuItem(const char* name, const char* caption, void (TForm1::*handler)(TComponent*));
    void AddHole(const TImage& templateImage, std::int32_t width);
    void UpdateHitZone(TImage& hole);

    TDragRecord drag_;
};

// The stencil window, set before its construction begins.
extern TForm1* Form1;

}  // namespace veilix
