#pragma once
// The framework's common windowed controls, each made on a Qt widget: an
// edit, a button, a check box, a radio button, a panel, a group box, a radio
// group and a list box. Their borders and parts are Qt's except the edit's
// and the list box's border, which follows Ctl3D and BorderStyle.
#include <string>
#include <vector>

#include "platform/forms/windowed/win_control.h"

namespace veilix {

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return classes::CustomEdit; }
    std::string Text() const;
    void SetText(const std::string& value);

protected:
    int NonClientWidth() const override;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    const TClassInfo& ClassInfo() const override { return classes::Edit; }
};

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return classes::Button; }
    bool Down() const;
};

// Check boxes and radio buttons: a mark and a caption.
class TMarkControl : public TWinControl {
public:
    bool Checked() const;
    void SetChecked(bool value);
    // Where the mark is, in the control's own coordinates.
    TRect MarkRect() const;

protected:
    TMarkControl(TComponent* owner, bool radio);

private:
    bool radio_;
};

class TCustomCheckBox : public TMarkControl {
public:
    explicit TCustomCheckBox(TComponent* owner) : TMarkControl(owner, false) {}
    const TClassInfo& ClassInfo() const override { return classes::CustomCheckBox; }
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
    const TClassInfo& ClassInfo() const override { return classes::CheckBox; }
};

class TRadioButton : public TMarkControl {
public:
    explicit TRadioButton(TComponent* owner) : TMarkControl(owner, true) {}
    const TClassInfo& ClassInfo() const override { return classes::RadioButton; }
};

class TCustomPanel : public TWinControl {
public:
    explicit TCustomPanel(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return classes::CustomPanel; }
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
    const TClassInfo& ClassInfo() const override { return classes::Panel; }
};

class TCustomGroupBox : public TWinControl {
public:
    explicit TCustomGroupBox(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return classes::CustomGroupBox; }
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
    const TClassInfo& ClassInfo() const override { return classes::GroupBox; }
};

// A group box that owns one radio button per item, stacked below the caption.
class TRadioGroup : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
    const TClassInfo& ClassInfo() const override { return classes::RadioGroup; }
    void SetItems(const std::vector<std::string>& items);
    const std::vector<TRadioButton*>& Buttons() const { return buttons_; }

private:
    std::vector<TRadioButton*> buttons_;
};

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);
    const TClassInfo& ClassInfo() const override { return classes::CustomListBox; }
    void SetItems(const std::vector<std::string>& items);

protected:
    int NonClientWidth() const override;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
    const TClassInfo& ClassInfo() const override { return classes::ListBox; }
};

}  // namespace veilix
