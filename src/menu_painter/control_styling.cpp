#include "menu_painter/control_styling.h"

#include "menu_painter/control_styling/control_subclass.h"
#include "menu_painter/flat_menu.h"
#include "menu_painter/flat_menu_manager.h"
#include "platform/forms/form.h"
#include "platform/forms/windowed/win_control.h"

namespace veilix {

namespace {
bool Excluded(const TComponent& component) { return component.Tag == kExcludeTag; }
}  // namespace

void StyleWindowedControl(TFlatMenu& painter, TWinControl& control, bool activate, bool repaint) {
    if (!activate) return;
    const auto kind = MatchControl(control, painter.FlatControls());
    TComponent* parent = control.Parent();
    if (!kind || !parent || !MatchContainer(*parent, painter.FlatContainers())) return;
    if (Excluded(control) || Excluded(*parent)) return;
    // A control already wrapped keeps its one record: a second would hold a
    // saved procedure of ours and outlive the control.
    if (WrappingRecord(control)) return;

    auto* record = new TControlSubClass(painter, control, *kind);
    record->SavedWindowProc = control.WindowProc;
    control.WindowProc = TControlSubClass::ProcedureOf(record);
    if (TControlSubClass::KeepsBorderStyle(control)) record->SavedBorderStyle = control.BorderStyle();
    if (TControlSubClass::KeepsCtl3D(control)) {
        record->SavedCtl3D = control.Ctl3D();
        // The flat border is one pixel wide: the control leaves that much.
        control.SetCtl3D(false);
    }
    if (repaint) control.Invalidate();
}

bool OpensForAttaching(const TFlatMenu& painter, const TComponent& component) {
    if (component.ClassInfo().InheritsFrom("TCustomRadioGroup"))
        return painter.FlatContainers() & Bit(TFlatContainer::xccGroupBox);
    return component.ClassName() == "TDBNavigator";
}

std::vector<TControlSubClass*> ControlRecords(const TFlatMenu& painter) {
    std::vector<TControlSubClass*> records;
    for (TComponent* component : painter.Components())
        if (auto* record = dynamic_cast<TControlSubClass*>(component)) records.push_back(record);
    return records;
}

void PassControlRecords(TFlatMenu& from, TFlatMenu& to, const TForm* leavingWindow) {
    for (TControlSubClass* old : ControlRecords(from)) {
        if (leavingWindow && old->Control->LiesInside(leavingWindow)) continue;
        auto* copy = new TControlSubClass(to, *old->Control, old->Kind);
        copy->SavedWindowProc = old->SavedWindowProc;
        copy->SavedCtl3D = old->SavedCtl3D;
        copy->SavedBorderStyle = old->SavedBorderStyle;
        copy->State = old->State;
        copy->Control->WindowProc = TControlSubClass::ProcedureOf(copy);
        // No longer wrapping, the old record leaves the control as it is.
        FreeComponent(old);
    }
}

void RestoreControls(TComponent* container) {
    TFlatMenuManager* manager = FlatMenuManager();
    TFlatMenu* serving = manager ? manager->ServingPainter() : nullptr;
    if (!serving) return;
    const std::vector<TControlSubClass*> records = ControlRecords(*serving);
    for (auto at = records.rbegin(); at != records.rend(); ++at) {
        TControlSubClass* record = *at;
        if (!record->Control->LiesInside(container)) continue;
        try {
            record->GiveBackControl();
        } catch (...) {
            // One control failing to take its look back leaves the others to.
        }
        // Unwrapped, the record would only outlive its control.
        FreeComponent(record);
    }
}

}  // namespace veilix
