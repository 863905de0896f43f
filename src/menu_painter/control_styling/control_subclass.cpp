#include "menu_painter/control_styling/control_subclass.h"

#include "menu_painter/control_styling/control_painters.h"
#include "menu_painter/flat_menu.h"

namespace veilix {

TControlSubClass::TControlSubClass(TFlatMenu& painter, TWinControl& control, TFlatControl kind)
    : TComponent(&painter), Control(&control), Painter(&painter), Kind(kind) {}

TControlSubClass::~TControlSubClass() {
    if (Wraps()) GiveBackControl();
}

bool TControlSubClass::KeepsCtl3D(const TWinControl& control) { return control.ClassName() != "TDBLookupComboBox"; }

bool TControlSubClass::KeepsBorderStyle(const TWinControl& control) {
    const TClassInfo& info = control.ClassInfo();
    return info.InheritsFrom("TCustomEdit") || info.InheritsFrom("TCustomListBox") ||
           info.InheritsFrom("TCustomListView") || info.InheritsFrom("TCustomTreeView");
}

void TControlSubClass::GiveBackControl() {
    Control->WindowProc = SavedWindowProc;
    if (KeepsBorderStyle(*Control)) Control->SetBorderStyle(SavedBorderStyle);
    if (KeepsCtl3D(*Control)) Control->SetCtl3D(SavedCtl3D);
}

bool TControlSubClass::Wraps() const {
    return Control && Control->WindowProc == ProcedureOf(const_cast<TControlSubClass*>(this));
}

TControlSubClass* WrappingRecord(const TWinControl& control) {
    // Comparing method pointers reads no object: only a record's own
    // ControlWndProc compares equal.
    auto* candidate = static_cast<TControlSubClass*>(const_cast<void*>(control.WindowProc.Object()));
    return candidate && control.WindowProc == TControlSubClass::ProcedureOf(candidate) ? candidate : nullptr;
}

void TControlSubClass::ControlWndProc(TMessage& message) {
    // Our look draws the border: the control's own is not painted.
    const bool answered = message.Msg == WM_NCPAINT && Control->ClassName() != "TDBLookupComboBox";
    if (answered)
        message.Result = 0;
    else if (SavedWindowProc)
        SavedWindowProc(message);

    if (message.Msg == WM_DESTROY) {
        Control->WindowProc = SavedWindowProc;
        FreeComponent(this);
        return;
    }
    if (Painter && !Painter->Active()) return;
    if (message.Msg == WM_PAINT) {
        if (TCanvas* canvas = Control->WindowCanvas()) PaintStyledControl(*this, *canvas);
    } else if (RecordState(message)) {
        Control->Invalidate();
    }
}

bool TControlSubClass::RecordState(const TMessage& message) {
    auto set = [](bool& field, bool value) {
        const bool changed = field != value;
        field = value;
        return changed;
    };
    switch (message.Msg) {
        case WM_SETFOCUS: return set(State.Focused, true);
        case WM_KILLFOCUS: {
            const bool focusChanged = set(State.Focused, false);
            const bool keyChanged = set(State.KeyDown, false);
            return focusChanged || keyChanged;
        }
        case CM_MOUSEENTER: return set(State.Hot, true);
        case CM_MOUSELEAVE: return set(State.Hot, false);
        case WM_LBUTTONDOWN: return set(State.Pressed, true);
        case WM_LBUTTONUP: return set(State.Pressed, false);
        case WM_KEYDOWN: return message.WParam == VK_SPACE && set(State.KeyDown, true);
        case WM_KEYUP: return message.WParam == VK_SPACE && set(State.KeyDown, false);
        case CM_ENABLEDCHANGED: return true;
        default: return false;
    }
}

}  // namespace veilix
