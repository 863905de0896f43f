#pragma once
// The kinds of windowed control the painter styles and the kinds of parent
// they must sit in, each matched by class name: a row with descendants
// matches that class and every class descending from it, a row without
// matches only a class of exactly that name.
#include <cstdint>
#include <optional>

#include "platform/core/component.h"

namespace veilix {

enum class TFlatControl : std::uint8_t {
    xcMainMenu,
    xcPopupMenu,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcListBox,
    xcEdit,
    xcCurrencyEdit,
    xcCustomNumbEdit,
    xcCustomNumEdit,
    xcExCurrencyEdit,
    xcJvValidateEdit,
    xcMaskEdit,
    xcMemo,
    xcRichEdit,
    xcMiscEdit,
    xcCheckBox,
    xcRadioButton,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcUpDown,
    xcPanel,
    xcGroupBox,
    xcTreeView,
    xcListView,
    xcProgressBar,
    xcHotKey,
    xcIPEdit,
    xcStringGrid,
    xcDrawGrid,
    xcDBGrid
};

enum class TFlatContainer : std::uint8_t {
    xccForm,
    xccFrame,
    xccToolbar,
    xccCoolbar,
    xccControlbar,
    xccPanel,
    xccScrollBox,
    xccGroupBox,
    xccTabSheet,
    xccPageScroller,
    xccJvXPContainer,
    xccJvScrollMaxBand,
    xccJvScrollMax,
    xccJvPageControl
};

// Bit sets: bit n stands for member n.
using TFlatControls = std::uint32_t;
using TFlatContainers = std::uint16_t;
inline constexpr TFlatControls kAllFlatControls = 0xFFFFFFFFu;  // 32 members
inline constexpr TFlatContainers kAllFlatContainers = 0x3FFF;   // 14 members

constexpr TFlatControls Bit(TFlatControl member) { return TFlatControls(1u << unsigned(member)); }
constexpr TFlatContainers Bit(TFlatContainer member) { return TFlatContainers(1u << unsigned(member)); }

// The first member in set whose row matches the component's class, if any.
std::optional<TFlatControl> MatchControl(const TComponent& component, TFlatControls set);
std::optional<TFlatContainer> MatchContainer(const TComponent& component, TFlatContainers set);

}  // namespace veilix
