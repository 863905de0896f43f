// Styling windowed controls: which kinds in which parents are wrapped, what
// the wrapper does with messages, and how records pass on and give controls
// their own procedure and settings back.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "menu_painter/control_styling.h"
#include "menu_painter/control_styling/control_subclass.h"
#include "platform/forms/image.h"
#include "platform/forms/screen_forms.h"
#include "platform/forms/windowed/win_control.h"
#include "support/flat_menu_fixture.h"

namespace veilix {
namespace {

// Classes of the test's own, for the rows no real kind of ours has.
const TClassInfo kCustomComboBox{"TCustomComboBox", &classes::WinControl};
const TClassInfo kMyComboBox{"TMyComboBox", &kCustomComboBox};
const TClassInfo kMyEdit{"TMyEdit", &classes::Edit};
const TClassInfo kCurrencyEdit{"TCurrencyEdit", &classes::CustomEdit};
const TClassInfo kMyCurrencyEdit{"TMyCurrencyEdit", &kCurrencyEdit};
const TClassInfo kDBEdit{"TDBEdit", &classes::CustomEdit};
const TClassInfo kMyDBEdit{"TMyDBEdit", &kDBEdit};
const TClassInfo kBitBtn{"TBitBtn", &classes::Button};
const TClassInfo kMyButton{"TMyButton", &classes::Button};
const TClassInfo kDBLookupComboBox{"TDBLookupComboBox", &classes::CustomControl};
const TClassInfo kToolBar{"TToolBar", &classes::WinControl};
const TClassInfo kMyPanel{"TMyPanel", &classes::Panel};
const TClassInfo kDBCtrlPanel{"TDBCtrlPanel", &classes::WinControl};
const TClassInfo kMyDBCtrlPanel{"TMyDBCtrlPanel", &kDBCtrlPanel};
const TClassInfo kMyTabControl{"TMyTabControl", &kToolBar};
const TClassInfo kTabControl{"TTabControl", &classes::WinControl};
const TClassInfo kMyTabControlChild{"TMyTabControl", &kTabControl};
const TClassInfo kDxTabSheet{"TdxTabSheet", &classes::WinControl};
const TClassInfo kMyDxTabSheet{"TMyDxTabSheet", &kDxTabSheet};
const TClassInfo kPlainWinControl{"TMyWinControl", &classes::WinControl};

// A windowed control of a class the test names; its own handling records the
// messages that reach it.
class ClassedControl : public TWinControl {
public:
    ClassedControl(TComponent* owner, const TClassInfo& info) : TWinControl(owner), info_(info) {}
    const TClassInfo& ClassInfo() const override { return info_; }
    void WndProc(TMessage& message) override {
        Seen.push_back(message.Msg);
        TWinControl::WndProc(message);
    }
    std::vector<unsigned> Seen;

private:
    const TClassInfo& info_;
};

// The procedure a control starts with: its own handling.
TWndMethod OwnProcedure(TWinControl& control) { return TWndMethod(&control, &TWinControl::WndProc); }

class ControlStylingTest : public testing::FlatMenuFixture {
protected:
    void TearDown() override {
        SetMainForm(nullptr);
        FlatMenuFixture::TearDown();
        QCoreApplication::sendPostedEvents();
    }

    // A painter built the stored way on form: properties, then Loaded.
    static TFlatMenu* LoadPainter(testing::LoadingForm& form, bool active = true) {
        form.BeginLoading();
        auto* painter = new TFlatMenu(&form);
        painter->SetActive(active);
        form.EndLoading();
        return painter;
    }
    static ClassedControl* AddControl(TForm& form, const TClassInfo& info, TWinControl* parent = nullptr) {
        auto* control = new ClassedControl(&form, info);
        if (parent)
            control->SetParent(parent);
        else
            control->SetParent(&form);
        return control;
    }
    static std::optional<TFlatControl> StyledAs(const TWinControl& control) {
        const TControlSubClass* record = WrappingRecord(control);
        return record ? std::optional(record->Kind) : std::nullopt;
    }
};

TEST_F(ControlStylingTest, KindsAndParentsMatchByClassNameWithOrWithoutDescendants) {
    using C = TFlatControl;
    constexpr TFlatControls all = kAllFlatControls;
    constexpr TFlatContainers everywhere = kAllFlatContainers;
    struct Case {
        const char* what;
        const TClassInfo& control;
        const TClassInfo* parent;  // none: the form itself
        TFlatControls controls;
        TFlatContainers containers;
        std::optional<C> styledAs;
    } cases[] = {
        {"a descendant of a backticked class", kMyComboBox, nullptr, all, everywhere, C::xcCombo},
        {"TEdit's descendant", kMyEdit, nullptr, all, everywhere, C::xcEdit},
        {"a quoted class itself", kCurrencyEdit, nullptr, all, everywhere, C::xcCurrencyEdit},
        {"a quoted class's descendant", kMyCurrencyEdit, nullptr, all, everywhere, std::nullopt},
        {"the second name of a row", kDBEdit, nullptr, all, everywhere, C::xcMaskEdit},
        {"its descendant", kMyDBEdit, nullptr, all, everywhere, std::nullopt},
        {"TBitBtn has a row of its own", kBitBtn, nullptr, all, everywhere, C::xcBitBtn},
        {"\"TButton\" takes no descendant", kMyButton, nullptr, all, everywhere, std::nullopt},
        {"a kind left out of the set", kMyEdit, nullptr, all & ~Bit(C::xcEdit), everywhere, std::nullopt},
        {"a class no row names", kPlainWinControl, nullptr, all, everywhere, std::nullopt},
        {"forms left out", kMyEdit, nullptr, all, everywhere & ~Bit(TFlatContainer::xccForm), std::nullopt},
        {"a panel's descendant", kMyEdit, &kMyPanel, all, everywhere, C::xcEdit},
        {"panels left out", kMyEdit, &kMyPanel, all, everywhere & ~Bit(TFlatContainer::xccPanel), std::nullopt},
        {"a quoted container", kMyEdit, &kDBCtrlPanel, all, everywhere, C::xcEdit},
        {"a quoted container's descendant", kMyEdit, &kMyDBCtrlPanel, all, everywhere, std::nullopt},
        {"a tool bar's descendant", kMyEdit, &kMyTabControl, all, everywhere, C::xcEdit},
        {"the second name of a container row", kMyEdit, &kMyTabControlChild, all, everywhere, C::xcEdit},
        {"its third, quoted", kMyEdit, &kDxTabSheet, all, everywhere, C::xcEdit},
        {"and that one's descendant", kMyEdit, &kMyDxTabSheet, all, everywhere, std::nullopt},
        {"a parent no row names", kMyEdit, &kPlainWinControl, all, everywhere, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::LoadingForm& form = NewForm();
        ClassedControl* parent = c.parent ? AddControl(form, *c.parent) : nullptr;
        ClassedControl* control = AddControl(form, c.control, parent);
        TFlatMenu* painter = LoadPainter(form, false);
        painter->SetFlatControls(c.controls);
        painter->SetFlatContainers(c.containers);
        painter->SetActive(true);
        EXPECT_EQ(StyledAs(*control), c.styledAs);
        if (!c.styledAs) {
            EXPECT_EQ(control->WindowProc, OwnProcedure(*control));
        }
        FreeForm(form);
    }
}

// A painter that a form designer holds: made and freed as in a running
// program, in design mode in between.
class DesignedPainter : public TFlatMenu {
public:
    explicit DesignedPainter(TComponent* owner) : TFlatMenu(owner) { SetDesigning(true); }
    ~DesignedPainter() override { SetDesigning(false); }
};

TEST_F(ControlStylingTest, APainterInDesignModeStylesNothing) {
    testing::LoadingForm& form = NewForm();
    ClassedControl* edit = AddControl(form, kMyEdit);
    auto* popup = new TPopupMenu(&form);
    TMenuItem* item = testing::AddItem(&form, *popup, "One");
    form.BeginLoading();
    auto* painter = new DesignedPainter(&form);
    painter->SetActive(true);
    form.EndLoading();
    EXPECT_TRUE(item->OnDrawItem) << "its menus are attached all the same";
    EXPECT_EQ(edit->WindowProc, OwnProcedure(*edit));
    EXPECT_TRUE(edit->Ctl3D());
    EXPECT_TRUE(ControlRecords(*painter).empty());
}

TEST_F(ControlStylingTest, Tag999OnTheControlOrItsParentLeavesItAlone) {
    for (bool onParent : {false, true}) {
        SCOPED_TRACE(onParent ? "on the parent" : "on the control");
        testing::LoadingForm& form = NewForm();
        ClassedControl* panel = AddControl(form, kMyPanel);
        ClassedControl* edit = AddControl(form, kMyEdit, panel);
        (onParent ? static_cast<TComponent*>(panel) : edit)->Tag = kExcludeTag;
        LoadPainter(form);
        EXPECT_EQ(edit->WindowProc, OwnProcedure(*edit));
        EXPECT_TRUE(edit->Ctl3D());
        EXPECT_EQ(StyledAs(*panel).has_value(), !onParent) << "the panel itself is styled unless it is excluded";
        FreeForm(form);
    }
}

TEST_F(ControlStylingTest, ImageControlsAreNeverStyled) {
    testing::LoadingForm& form = NewForm();
    auto* image = new TImage(&form);
    image->SetParent(&form);
    TFlatMenu* painter = LoadPainter(form);
    EXPECT_TRUE(ControlRecords(*painter).empty());
    EXPECT_TRUE(image->ClassInfo().InheritsFrom("TGraphicControl"));
}

TEST_F(ControlStylingTest, WrappingKeepsOneRecordAndTheControlsOwnProcedure) {
    testing::LoadingForm& form = NewForm();
    ClassedControl* edit = AddControl(form, kMyEdit);
    edit->SetBorderStyle(TBorderStyle::bsNone);
    TFlatMenu* painter = LoadPainter(form);
    TControlSubClass* record = WrappingRecord(*edit);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->SavedWindowProc, OwnProcedure(*edit));
    EXPECT_EQ(record->Painter, painter);
    EXPECT_TRUE(record->SavedCtl3D);
    EXPECT_EQ(record->SavedBorderStyle, TBorderStyle::bsNone);
    EXPECT_FALSE(edit->Ctl3D()) << "the flat border takes one pixel";

    painter->SetActive(false);
    EXPECT_EQ(WrappingRecord(*edit), record) << "deactivating leaves controls wrapped";
    painter->SetActive(true);
    EXPECT_EQ(ControlRecords(*painter), std::vector{record}) << "wrapping twice keeps one record";
    EXPECT_EQ(record->SavedWindowProc, OwnProcedure(*edit));
    EXPECT_TRUE(record->SavedCtl3D);

    edit->Perform(WM_KEYDOWN, 'A');
    EXPECT_EQ(edit->Seen.back(), WM_KEYDOWN) << "messages still reach the control's own handling";
}

TEST_F(ControlStylingTest, TheWrapperAnswersBorderPaintingAndRecordsState) {
    testing::LoadingForm& form = NewForm();
    ClassedControl* edit = AddControl(form, kMyEdit);
    ClassedControl* lookup = AddControl(form, kDBLookupComboBox);
    lookup->SetCtl3D(true);
    TFlatMenu* painter = LoadPainter(form);
    ASSERT_EQ(StyledAs(*lookup), TFlatControl::xcButton);
    EXPECT_TRUE(lookup->Ctl3D()) << "its 3-D setting is not ours to keep";

    edit->Perform(WM_NCPAINT);
    lookup->Perform(WM_NCPAINT);
    EXPECT_TRUE(edit->Seen.empty()) << "our border replaces the control's";
    EXPECT_EQ(lookup->Seen, std::vector{WM_NCPAINT});

    TControlSubClass& record = *WrappingRecord(*edit);
    struct Step {
        unsigned message;
        std::uintptr_t key;
        TControlState after;
        bool repainted;
    } steps[] = {
        {CM_MOUSEENTER, 0, {true, false, false, false}, true},  {WM_SETFOCUS, 0, {true, true, false, false}, true},
        {WM_LBUTTONDOWN, 0, {true, true, true, false}, true},   {WM_LBUTTONUP, 0, {true, true, false, false}, true},
        {WM_KEYDOWN, 'A', {true, true, false, false}, false},   {WM_KEYDOWN, VK_SPACE, {true, true, false, true}, true},
        {WM_KEYUP, VK_SPACE, {true, true, false, false}, true}, {WM_MOUSEMOVE, 0, {true, true, false, false}, false},
        {CM_MOUSELEAVE, 0, {false, true, false, false}, true},  {WM_KILLFOCUS, 0, {false, false, false, false}, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.message);
        const int repaints = edit->InvalidateCount();
        edit->Perform(s.message, s.key);
        EXPECT_EQ(edit->Seen.back(), s.message) << "the saved procedure sees it first";
        EXPECT_EQ(record.State.Hot, s.after.Hot);
        EXPECT_EQ(record.State.Focused, s.after.Focused);
        EXPECT_EQ(record.State.Pressed, s.after.Pressed);
        EXPECT_EQ(record.State.KeyDown, s.after.KeyDown);
        EXPECT_EQ(edit->InvalidateCount() > repaints, s.repainted);
    }

    painter->SetActive(false);
    edit->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(record.State.Hot) << "an inactive painter records nothing";
}

// A component of a class the test names.
class NamedComponent : public TComponent {
public:
    explicit NamedComponent(const TClassInfo& info) : TComponent(nullptr), info_(info) {}
    const TClassInfo& ClassInfo() const override { return info_; }

private:
    const TClassInfo& info_;
};

// Every row as the styling rules list it: each matches its own class, and a
// row that names a class with its descendants matches a class derived from
// it, one that names an exact class does not.
TEST_F(ControlStylingTest, EveryRowMatchesItsClassAndOnlyRowsWithDescendantsTheirHeirs) {
    using C = TFlatControl;
    using P = TFlatContainer;
    struct ControlRow {
        C member;
        const char* name;
        bool descendants;
    };
    const ControlRow controls[] = {
        {C::xcMainMenu, "TMainMenu", true},
        {C::xcPopupMenu, "TPopupMenu", true},
        {C::xcControlbar, "TControlBar", true},
        {C::xcCombo, "TCustomComboBox", true},
        {C::xcListBox, "TCustomListBox", true},
        {C::xcEdit, "TEdit", true},
        {C::xcCurrencyEdit, "TCurrencyEdit", false},
        {C::xcCustomNumbEdit, "TCustomNumbEdit", false},
        {C::xcCustomNumEdit, "TCustomNumEdit", false},
        {C::xcExCurrencyEdit, "TExCurrencyEdit", false},
        {C::xcJvValidateEdit, "TJvValidateEdit", false},
        {C::xcMaskEdit, "TMaskEdit", false},
        {C::xcMaskEdit, "TDBEdit", false},
        {C::xcMemo, "TCustomMemo", true},
        {C::xcRichEdit, "TCustomRichEdit", true},
        {C::xcCheckBox, "TCustomCheckBox", true},
        {C::xcRadioButton, "TRadioButton", true},
        {C::xcButton, "TButton", false},
        {C::xcButton, "TDBNavigator", false},
        {C::xcButton, "TDBLookupComboBox", false},
        {C::xcBitBtn, "TBitBtn", false},
        {C::xcSpeedButton, "TSpeedButton", true},
        {C::xcUpDown, "TUpDown", false},
        {C::xcPanel, "TCustomPanel", true},
        {C::xcGroupBox, "TCustomGroupBox", true},
        {C::xcTreeView, "TCustomTreeView", true},
        {C::xcListView, "TCustomListView", true},
        {C::xcProgressBar, "TProgressBar", true},
        {C::xcHotKey, "TCustomHotKey", true},
        {C::xcIPEdit, "TIPEdit", false},
        {C::xcStringGrid, "TStringGrid", false},
        {C::xcDrawGrid, "TDrawGrid", false},
        {C::xcDBGrid, "TDBGrid", false},
    };
    struct ContainerRow {
        P member;
        const char* name;
        bool descendants;
    };
    const ContainerRow containers[] = {
        {P::xccForm, "TCustomForm", true},
        {P::xccFrame, "TDBCtrlPanel", false},
        {P::xccToolbar, "TToolBar", true},
        {P::xccCoolbar, "TCoolBar", true},
        {P::xccControlbar, "TControlBar", true},
        {P::xccPanel, "TCustomPanel", true},
        {P::xccScrollBox, "TScrollBox", true},
        {P::xccGroupBox, "TCustomGroupBox", true},
        {P::xccTabSheet, "TTabSheet", true},
        {P::xccTabSheet, "TTabControl", true},
        {P::xccTabSheet, "TdxTabSheet", false},
        {P::xccPageScroller, "TPageScroller", true},
        {P::xccJvXPContainer, "TJvXPContainer", false},
        {P::xccJvScrollMaxBand, "TJvScrollMaxBand", false},
        {P::xccJvScrollMax, "TJvScrollMax", false},
        {P::xccJvPageControl, "TJvPageControl", false},
    };
    for (const ControlRow& row : controls) {
        SCOPED_TRACE(row.name);
        const TClassInfo named{row.name, &classes::Component};
        const TClassInfo heir{"THeir", &named};
        EXPECT_EQ(MatchControl(NamedComponent(named), kAllFlatControls), row.member);
        EXPECT_EQ(MatchControl(NamedComponent(heir), kAllFlatControls),
                  row.descendants ? std::optional(row.member) : std::nullopt);
    }
    for (const ContainerRow& row : containers) {
        SCOPED_TRACE(row.name);
        const TClassInfo named{row.name, &classes::Component};
        const TClassInfo heir{"THeir", &named};
        EXPECT_EQ(MatchContainer(NamedComponent(named), kAllFlatContainers), row.member);
        EXPECT_EQ(MatchContainer(NamedComponent(heir), kAllFlatContainers),
                  row.descendants ? std::optional(row.member) : std::nullopt);
    }
}

TEST_F(ControlStylingTest, BorderStyleIsKeptForEditsListBoxesListViewsAndTreeViews) {
    const TClassInfo myListBox{"TMyListBox", &classes::ListBox};
    const TClassInfo listView{"TCustomListView", &classes::WinControl};
    const TClassInfo myListView{"TMyListView", &listView};
    const TClassInfo treeView{"TCustomTreeView", &classes::WinControl};
    const TClassInfo myTreeView{"TMyTreeView", &treeView};
    const struct {
        const TClassInfo& info;
        bool kept;
    } cases[] = {{kMyEdit, true}, {myListBox, true}, {myListView, true}, {myTreeView, true}, {kBitBtn, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.info.Name);
        testing::LoadingForm& form = NewForm();
        ClassedControl* control = AddControl(form, c.info);
        control->SetBorderStyle(TBorderStyle::bsNone);
        LoadPainter(form);
        ASSERT_NE(WrappingRecord(*control), nullptr);
        control->SetBorderStyle(TBorderStyle::bsSingle);
        RestoreControls(&form);
        EXPECT_EQ(control->BorderStyle(), c.kept ? TBorderStyle::bsNone : TBorderStyle::bsSingle);
        FreeForm(form);
    }
}

// The application wraps a styled control's procedure, then the painter wraps
// it again. Undone first to last, the control would end with the
// application's procedure, which leads to a record that is gone.
TEST_F(ControlStylingTest, RestoringUndoesTheLastWrappingFirst) {
    struct ApplicationWrapper {
        TWndMethod saved;
        void Procedure(TMessage& message) { saved(message); }
    } application;
    testing::LoadingForm& form = NewForm();
    ClassedControl* edit = AddControl(form, kMyEdit);
    TFlatMenu* painter = LoadPainter(form);
    application.saved = edit->WindowProc;
    edit->WindowProc = TWndMethod(&application, &ApplicationWrapper::Procedure);
    painter->AttachComponent(edit, true, false);
    ASSERT_EQ(ControlRecords(*painter).size(), 2u);

    RestoreControls(&form);
    EXPECT_EQ(edit->WindowProc, OwnProcedure(*edit));
    EXPECT_TRUE(ControlRecords(*painter).empty());
    // The wrapper goes with this test; the control must not lead to it.
    edit->WindowProc = OwnProcedure(*edit);
}

TEST_F(ControlStylingTest, RestoringGivesBackProcedureAnd3DAndBorderLastStyledFirst) {
    testing::LoadingForm& form = NewForm();
    ClassedControl* edit = AddControl(form, kMyEdit);
    ClassedControl* button = AddControl(form, kBitBtn);
    ClassedControl* lookup = AddControl(form, kDBLookupComboBox);
    edit->SetBorderStyle(TBorderStyle::bsNone);
    lookup->SetCtl3D(false);
    testing::LoadingForm& other = NewForm();
    ClassedControl* elsewhere = AddControl(other, kMyEdit);
    TFlatMenu* painter = LoadPainter(form);
    ASSERT_EQ(FlatMenuManager()->ServingPainter(), painter);
    painter->AttachAll(&other, true, false);
    ASSERT_EQ(ControlRecords(*painter).size(), 4u);
    edit->SetBorderStyle(TBorderStyle::bsSingle);
    lookup->SetCtl3D(true);

    RestoreControls(&form);
    EXPECT_EQ(edit->WindowProc, OwnProcedure(*edit));
    EXPECT_EQ(button->WindowProc, OwnProcedure(*button));
    EXPECT_EQ(lookup->WindowProc, OwnProcedure(*lookup));
    EXPECT_TRUE(edit->Ctl3D());
    EXPECT_EQ(edit->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_TRUE(button->Ctl3D());
    EXPECT_TRUE(lookup->Ctl3D()) << "never saved, never given back";
    EXPECT_NE(WrappingRecord(*elsewhere), nullptr) << "only controls inside the container";
    EXPECT_EQ(ControlRecords(*painter).size(), 1u) << "the records of restored controls go";
}

TEST_F(ControlStylingTest, ChangingTheSetsWhileActiveAttachesWithTheNewSet) {
    testing::LoadingForm& form = NewForm();
    ClassedControl* edit = AddControl(form, kMyEdit);
    TFlatMenu* painter = LoadPainter(form, false);
    painter->SetFlatControls(kAllFlatControls & ~Bit(TFlatControl::xcEdit));
    painter->SetActive(true);
    EXPECT_EQ(WrappingRecord(*edit), nullptr);

    painter->SetFlatControls(kAllFlatControls);
    EXPECT_TRUE(painter->Active());
    TControlSubClass* record = WrappingRecord(*edit);
    EXPECT_NE(record, nullptr) << "attached again with the new set";

    painter->SetFlatControls(kAllFlatControls & ~Bit(TFlatControl::xcEdit));
    EXPECT_TRUE(painter->Active());
    EXPECT_EQ(WrappingRecord(*edit), record) << "detaching does not unwrap";
    ClassedControl* later = AddControl(form, kMyEdit);
    painter->AttachComponent(later, true, false);
    EXPECT_EQ(WrappingRecord(*later), nullptr);
}

TEST_F(ControlStylingTest, RadioGroupsAndNavigatorsAreOpenedForTheirOwnControls) {
    const TClassInfo radioGroup{"TMyRadioGroup", &classes::RadioGroup};
    const TClassInfo navigator{"TDBNavigator", &classes::CustomPanel};
    for (const TClassInfo* holder : {&radioGroup, &navigator}) {
        SCOPED_TRACE(holder->Name);
        for (bool groupBoxes : {true, false}) {
            testing::LoadingForm& form = NewForm();
            ClassedControl* group = AddControl(form, *holder);
            auto* inside = new ClassedControl(group, classes::RadioButton);
            inside->SetParent(group);
            TFlatMenu* painter = LoadPainter(form, false);
            if (!groupBoxes) painter->SetFlatContainers(kAllFlatContainers & ~Bit(TFlatContainer::xccGroupBox));
            painter->SetActive(true);
            // A radio group opens only with group boxes in the set; inside
            // it, the same member lets its buttons' parent match.
            EXPECT_EQ(WrappingRecord(*inside) != nullptr, holder == &navigator || groupBoxes);
            FreeForm(form);
        }
    }
}

TEST_F(ControlStylingTest, AHandOverKeepsControlsStyledUnderTheNewServingPainter) {
    TForm& plain = NewForm();
    ClassedControl* styledForIt = AddControl(plain, kMyEdit);
    testing::LoadingForm& first = NewForm();
    ClassedControl* own = AddControl(first, kMyEdit);
    TFlatMenu* serving = LoadPainter(first);
    ASSERT_EQ(FlatMenuManager()->PendingForms(), std::vector<TForm*>{&plain});
    PostMessage(ApplicationHandle(), 0x0400, 0, 0);
    QCoreApplication::sendPostedEvents();
    ASSERT_NE(WrappingRecord(*styledForIt), nullptr) << "styled for the form without a painter";
    testing::LoadingForm& second = NewForm();
    TFlatMenu* successor = LoadPainter(second);

    serving->SetDisableSubclassing(true);
    ASSERT_EQ(FlatMenuManager()->ServingPainter(), successor);
    TControlSubClass* moved = WrappingRecord(*styledForIt);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->Painter, successor);
    EXPECT_EQ(moved->Owner(), successor);
    EXPECT_EQ(moved->SavedWindowProc, OwnProcedure(*styledForIt));
    EXPECT_EQ(WrappingRecord(*own)->Painter, serving) << "the leaving painter's own window keeps its records";
    EXPECT_EQ(ControlRecords(*serving).size(), 1u);

    styledForIt->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(moved->State.Hot) << "the new record answers the control's messages";
}

TEST_F(ControlStylingTest, RecordsGoWithTheirControlAndGiveItBackWhenThePainterGoes) {
    testing::LoadingForm& form = NewForm();
    ClassedControl* going = AddControl(form, kMyEdit);
    ClassedControl* goingLater = AddControl(form, kMyEdit);
    ClassedControl* staying = AddControl(form, kMyEdit);
    TFlatMenu* painter = LoadPainter(form);
    ASSERT_EQ(ControlRecords(*painter).size(), 3u);

    FreeComponent(going);
    EXPECT_EQ(ControlRecords(*painter).size(), 2u) << "a control destroyed while wrapped frees its record";
    painter->SetActive(false);
    FreeComponent(goingLater);
    EXPECT_EQ(ControlRecords(*painter).size(), 1u) << "also while the painter is inactive";

    ASSERT_FALSE(staying->Ctl3D());
    FreeComponent(painter);
    EXPECT_EQ(staying->WindowProc, OwnProcedure(*staying)) << "no procedure of a record that is gone";
    EXPECT_TRUE(staying->Ctl3D()) << "and its own look back";
    staying->Perform(WM_PAINT);
    EXPECT_EQ(staying->Seen.back(), WM_PAINT);
}

}  // namespace
}  // namespace veilix
