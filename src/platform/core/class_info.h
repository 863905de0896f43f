#pragma once
// Class names with their ancestry, as the framework's run-time type
// information: code that styles controls matches them by class name, either
// exactly or together with every class descending from it.
#include <string_view>

namespace veilix {

struct TClassInfo {
    std::string_view Name;
    const TClassInfo* Parent = nullptr;

    // Whether this class is the named one or descends from it.
    bool InheritsFrom(std::string_view name) const {
        for (const TClassInfo* c = this; c; c = c->Parent)
            if (c->Name == name) return true;
        return false;
    }
};

// The framework's classes that others descend from.
namespace classes {
extern const TClassInfo Component;
extern const TClassInfo Control;
extern const TClassInfo GraphicControl;
extern const TClassInfo Image;
extern const TClassInfo WinControl;
extern const TClassInfo CustomControl;
extern const TClassInfo ScrollingWinControl;
extern const TClassInfo CustomForm;
extern const TClassInfo Form;
extern const TClassInfo Menu;
extern const TClassInfo MainMenu;
extern const TClassInfo PopupMenu;
extern const TClassInfo CustomControlBar;
extern const TClassInfo ControlBar;
extern const TClassInfo ButtonControl;
extern const TClassInfo CustomEdit;
extern const TClassInfo Edit;
extern const TClassInfo Button;
extern const TClassInfo CustomCheckBox;
extern const TClassInfo CheckBox;
extern const TClassInfo RadioButton;
extern const TClassInfo CustomPanel;
extern const TClassInfo Panel;
extern const TClassInfo CustomGroupBox;
extern const TClassInfo GroupBox;
extern const TClassInfo CustomRadioGroup;
extern const TClassInfo RadioGroup;
extern const TClassInfo CustomListBox;
extern const TClassInfo ListBox;
}  // namespace classes

}  // namespace veilix
