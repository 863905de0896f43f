#pragma once
// TControlSubClass: one styled windowed control. Its window procedure is
// wrapped by ControlWndProc, bound to the record, which keeps what undoing
// the styling needs and the control's state for painting it.
#include "menu_painter/control_styling/control_kinds.h"
#include "platform/core/component.h"
#include "platform/forms/windowed/win_control.h"

namespace veilix {

class TFlatMenu;

// What the control painters read of a control.
struct TControlState {
    bool Hot = false;  // the pointer is over it
    bool Focused = false;
    bool Pressed = false;  // the primary button is down on it
    bool KeyDown = false;  // the space bar is down on it
};

class TControlSubClass : public TComponent {
public:
    // Owned by painter, which styles control as a kind of control.
    TControlSubClass(TFlatMenu& painter, TWinControl& control, TFlatControl kind);
    // A record still wrapping its control gives it back: the control must
    // not send its messages to a record that is gone.
    ~TControlSubClass() override;

    TWinControl* Control = nullptr;
    TWndMethod SavedWindowProc;
    TFlatMenu* Painter = nullptr;
    TFlatControl Kind;
    bool SavedCtl3D = true;
    TBorderStyle SavedBorderStyle = TBorderStyle::bsSingle;
    TControlState State;

    void ControlWndProc(TMessage& message);
    // The window procedure bound to a record; reads nothing of it.
    static TWndMethod ProcedureOf(TControlSubClass* record) {
        return TWndMethod(record, &TControlSubClass::ControlWndProc);
    }
    // Whether the control's messages come here.
    bool Wraps() const;
    // Puts the saved procedure back, then the saved settings of the kinds
    // that keep them.
    void GiveBackControl();

    // The settings a record keeps: the 3-D setting of every class but one,
    // the border style of edits, list boxes, list views and tree views.
    static bool KeepsCtl3D(const TWinControl& control);
    static bool KeepsBorderStyle(const TWinControl& control);

private:
    // Records the state a message changes; whether the control looks different.
    bool RecordState(const TMessage& message);
};

// The record whose ControlWndProc is the control's window procedure, if any.
TControlSubClass* WrappingRecord(const TWinControl& control);

}  // namespace veilix
