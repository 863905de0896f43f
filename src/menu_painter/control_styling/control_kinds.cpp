#include "menu_painter/control_styling/control_kinds.h"

#include <string_view>

namespace veilix {

namespace {
template <typename Member>
struct Row {
    Member member;
    std::string_view className;
    bool descendants;  // the class and every class descending from it
};

using C = TFlatControl;
constexpr Row<C> kControlRows[] = {
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

using P = TFlatContainer;
constexpr Row<P> kContainerRows[] = {
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

template <typename Member, typename Set, std::size_t N>
std::optional<Member> Match(const Row<Member> (&rows)[N], const TComponent& component, Set set) {
    const TClassInfo& info = component.ClassInfo();
    for (const Row<Member>& row : rows) {
        if (!(set & Bit(row.member))) continue;
        if (row.descendants ? info.InheritsFrom(row.className) : info.Name == row.className) return row.member;
    }
    return std::nullopt;
}
}  // namespace

std::optional<TFlatControl> MatchControl(const TComponent& component, TFlatControls set) {
    return Match(kControlRows, component, set);
}

std::optional<TFlatContainer> MatchContainer(const TComponent& component, TFlatContainers set) {
    return Match(kContainerRows, component, set);
}

}  // namespace veilix
