#include "platform/forms/windowed/std_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/forms/windowed/native_window.h"
#include "platform/graphics/qt_conversions.h"

namespace veilix {

namespace {
QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// Makes a routed widget of kind Widget for control; configure sets up the
// link's text and border hooks on the new widget.
template <typename Widget, typename Configure>
std::unique_ptr<NativeWindow> MakeNative(TWinControl& control, Configure configure) {
    auto* widget = new RoutedWidget<Widget>();
    auto native = std::make_unique<NativeWindow>(control, widget);
    configure(*widget, *native);
    return native;
}

// The border width a bordered kind leaves free for WM_NCPAINT.
int BorderWidthOf(const TWinControl& control) {
    if (control.BorderStyle() == TBorderStyle::bsNone) return 0;
    return control.Ctl3D() ? 2 : 1;
}

// The list with its viewport margins open to the border hook.
class ListWidget : public QListWidget {
public:
    using QListWidget::QListWidget;
    using QListWidget::setViewportMargins;
};

template <typename Widget>
Widget* WidgetAs(const TWinControl& control) {
    return dynamic_cast<Widget*>(control.Widget());
}
}  // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    AdoptNative(MakeNative<QLineEdit>(*this, [](QLineEdit& edit, NativeWindow& native) {
        edit.setFrame(false);
        native.SetText = [&edit](const std::string& text) { edit.setText(ToQString(text)); };
        native.SetBorderWidth = [&edit](int border) { edit.setContentsMargins(border, border, border, border); };
    }));
}

int TCustomEdit::NonClientWidth() const { return BorderWidthOf(*this); }

std::string TCustomEdit::Text() const {
    auto* edit = WidgetAs<QLineEdit>(*this);
    return edit ? edit->text().toStdString() : std::string();
}

void TCustomEdit::SetText(const std::string& value) { SetCaption(value); }

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    AdoptNative(MakeNative<QPushButton>(*this, [](QPushButton& button, NativeWindow& native) {
        native.SetText = [&button](const std::string& text) { button.setText(ToQString(text)); };
    }));
}

bool TButton::Down() const {
    auto* button = WidgetAs<QPushButton>(*this);
    return button && button->isDown();
}

TMarkControl::TMarkControl(TComponent* owner, bool radio) : TWinControl(owner), radio_(radio) {
    auto configure = [](QAbstractButton& button, NativeWindow& native) {
        native.SetText = [&button](const std::string& text) { button.setText(ToQString(text)); };
    };
    if (radio)
        AdoptNative(MakeNative<QRadioButton>(*this, configure));
    else
        AdoptNative(MakeNative<QCheckBox>(*this, configure));
}

bool TMarkControl::Checked() const {
    auto* button = WidgetAs<QAbstractButton>(*this);
    return button && button->isChecked();
}

void TMarkControl::SetChecked(bool value) {
    if (auto* button = WidgetAs<QAbstractButton>(*this)) button->setChecked(value);
}

TRect TMarkControl::MarkRect() const {
    auto* button = WidgetAs<QAbstractButton>(*this);
    if (!button) return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const auto element = radio_ ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
    return ToTRect(button->style()->subElementRect(element, &option, button));
}

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) {
    AdoptNative(MakeNative<QFrame>(*this, [](QFrame& frame, NativeWindow&) {
        frame.setFrameStyle(QFrame::Panel | QFrame::Raised);
        frame.setLineWidth(1);
        frame.setAutoFillBackground(true);
    }));
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    AdoptNative(MakeNative<QGroupBox>(*this, [](QGroupBox& box, NativeWindow& native) {
        native.SetText = [&box](const std::string& text) { box.setTitle(ToQString(text)); };
    }));
}

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
    while (!buttons_.empty()) {
        FreeComponent(buttons_.back());
        buttons_.pop_back();
    }
    constexpr int kRowHeight = 22;
    int top = 20;
    for (const std::string& item : items) {
        auto* button = new TRadioButton(this);
        button->SetParent(this);
        button->SetCaption(item);
        button->SetBounds(10, top, Width() - 20, kRowHeight - 2);
        buttons_.push_back(button);
        top += kRowHeight;
    }
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
    AdoptNative(MakeNative<ListWidget>(*this, [](ListWidget& list, NativeWindow& native) {
        list.setFrameShape(QFrame::NoFrame);
        native.SetBorderWidth = [&list](int border) { list.setViewportMargins(border, border, border, border); };
    }));
}

int TCustomListBox::NonClientWidth() const { return BorderWidthOf(*this); }

void TCustomListBox::SetItems(const std::vector<std::string>& items) {
    auto* list = WidgetAs<QListWidget>(*this);
    if (!list) return;
    list->clear();
    for (const std::string& item : items) list->addItem(ToQString(item));
}

}  // namespace veilix
