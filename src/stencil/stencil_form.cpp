#include "stencil/stencil_form.h"

#include "menu_painter/flat_menu.h"
#include "menu_painter/flat_menu_stream.h"
#include "platform/core/stored_object.h"
#include "platform/messages/window_messages.h"
#include "platform/system/screen.h"
#include "stencil/pull_back.h"

namespace veilix {

TForm1* Form1 = nullptr;

namespace {
// The menu painter as designed. It is read after the menu it paints exists:
// becoming active, last of its properties, it attaches to the menu's items.
constexpr const char* kFlatMenu1 = R"(object FlatMenu1: TFlatMenu
  DimLevel = 30
  GrayLevel = 10
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clMenuText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Color = clBtnFace
  DrawMenuBar = True
  IconBackColor = clBtnFace
  MenuBarColor = clBtnFace
  SelectColor = clHighlight
  SelectBorderColor = clHighlight
  SelectFontColor = clMenuText
  DisabledColor = clInactiveCaption
  SeparatorColor = clBtnFace
  CheckedColor = clHighlight
  IconWidth = 24
  DrawSelect = True
  UseSystemColors = True
  UseDimColor = True
  OverrideOwnerDraw = False
  Gradient = True
  FlatMenu = True
  AutoDetect = True
  Active = True
end)";
}  // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    // The stored description: designed properties, owned components, handlers.
    SetLoading(true);
    Name = "Form1";
    SetBorderStyle(TBorderStyle::bsNone);
    SetCaption("Hide");
    SetLeft(274);
    SetTop(309);
    SetClientWidth(651);
    SetClientHeight(338);
    SetColor(clBlack);
    SetTransparentColorValue(clLime);
    SetTransparentColor(true);

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    PopupMenu1->OwnerDraw = true;
    AddCube1 = AddMenuItem("AddCube1", "Add &Rectangle", &TForm1::AddCube1Click);
    AddCircle1 = AddMenuItem("AddCircle1", "Add Circle", &TForm1::AddCircle1Click);
    AddEllipse1 = AddMenuItem("AddEllipse1", "Add &Ellipse", &TForm1::AddEllipse1Click);
    Close2 = AddMenuItem("Close2", "&Close", &TForm1::Close1Click);
    SetPopupMenu(PopupMenu1);
    FlatMenu1 = LoadFlatMenu(this, ReadStoredObject(kFlatMenu1));

    OnCreate = TNotifyEvent(this, &TForm1::FormCreate);
    OnDestroy = TNotifyEvent(this, &TForm1::FormDestroy);
    OnMouseDown = TMouseEvent(this, &TForm1::FormMouseDown);
    OnMouseUp = TMouseEvent(this, &TForm1::FormMouseUp);
    EndLoading();
}

TMenuItem* TForm1::AddMenuItem(const char* name, const char* caption, void (TForm1::*handler)(TComponent*)) {
    auto* item = new TMenuItem(this);
    item->Name = name;
    item->Caption = caption;
    item->OnClick = TNotifyEvent(this, handler);
    PopupMenu1->Add(item);
    return item;
}

void TForm1::FormCreate(TComponent*) {
    drag_.Dragging = false;
    drag_.CursorNow = std::make_unique<TPoint>();
    drag_.CursorAtPress = std::make_unique<TPoint>();
}

void TForm1::FormDestroy(TComponent*) {
    drag_.CursorNow.reset();
    drag_.CursorAtPress.reset();
}

void TForm1::FormMouseDown(TComponent*, TMouseButton, TShiftState, int, int) {
    ReleaseCapture();
    Perform(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void TForm1::FormMouseUp(TComponent*, TMouseButton, TShiftState, int, int) {
    const TPullBack pullBack = PullBackFor(Left(), Top(), Width(), Height(), VirtualDesktopSize());
    if (pullBack.TopToZero) SetTop(0);
    if (pullBack.LeftToZero) SetLeft(0);
}

void TForm1::Close1Click(TComponent*) { Form1->Close(); }

}  // namespace veilix
