#include "platform/core/class_info.h"

namespace veilix::classes {

const TClassInfo Component{"TComponent"};
const TClassInfo Control{"TControl", &Component};
const TClassInfo GraphicControl{"TGraphicControl", &Control};
const TClassInfo Image{"TImage", &GraphicControl};
const TClassInfo WinControl{"TWinControl", &Control};
const TClassInfo CustomControl{"TCustomControl", &WinControl};
const TClassInfo ScrollingWinControl{"TScrollingWinControl", &WinControl};
const TClassInfo CustomForm{"TCustomForm", &ScrollingWinControl};
const TClassInfo Form{"TForm", &CustomForm};
const TClassInfo Menu{"TMenu", &Component};
const TClassInfo MainMenu{"TMainMenu", &Menu};
const TClassInfo PopupMenu{"TPopupMenu", &Menu};
const TClassInfo CustomControlBar{"TCustomControlBar", &CustomControl};
const TClassInfo ControlBar{"TControlBar", &CustomControlBar};
const TClassInfo ButtonControl{"TButtonControl", &WinControl};
const TClassInfo CustomEdit{"TCustomEdit", &WinControl};
const TClassInfo Edit{"TEdit", &CustomEdit};
const TClassInfo Button{"TButton", &ButtonControl};
const TClassInfo CustomCheckBox{"TCustomCheckBox", &ButtonControl};
const TClassInfo CheckBox{"TCheckBox", &CustomCheckBox};
const TClassInfo RadioButton{"TRadioButton", &ButtonControl};
const TClassInfo CustomPanel{"TCustomPanel", &CustomControl};
const TClassInfo Panel{"TPanel", &CustomPanel};
const TClassInfo CustomGroupBox{"TCustomGroupBox", &CustomControl};
const TClassInfo GroupBox{"TGroupBox", &CustomGroupBox};
const TClassInfo CustomRadioGroup{"TCustomRadioGroup", &CustomGroupBox};
const TClassInfo RadioGroup{"TRadioGroup", &CustomRadioGroup};
const TClassInfo CustomListBox{"TCustomListBox", &WinControl};
const TClassInfo ListBox{"TListBox", &CustomListBox};

}  // namespace veilix::classes
