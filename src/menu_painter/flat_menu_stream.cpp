#include "menu_painter/flat_menu_stream.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "menu_painter/flat_menu.h"
#include "platform/core/exception.h"

namespace veilix {

namespace {

constexpr const char* kFlatControlNames[] = {
    "xcMainMenu", "xcPopupMenu",    "xcToolbar",        "xcControlbar",    "xcCombo",          "xcListBox",
    "xcEdit",     "xcCurrencyEdit", "xcCustomNumbEdit", "xcCustomNumEdit", "xcExCurrencyEdit", "xcJvValidateEdit",
    "xcMaskEdit", "xcMemo",         "xcRichEdit",       "xcMiscEdit",      "xcCheckBox",       "xcRadioButton",
    "xcButton",   "xcBitBtn",       "xcSpeedButton",    "xcUpDown",        "xcPanel",          "xcGroupBox",
    "xcTreeView", "xcListView",     "xcProgressBar",    "xcHotKey",        "xcIPEdit",         "xcStringGrid",
    "xcDrawGrid", "xcDBGrid"};
static_assert(std::size(kFlatControlNames) == 32);

constexpr const char* kFlatContainerNames[] = {
    "xccForm",          "xccFrame",           "xccToolbar",     "xccCoolbar",      "xccControlbar",
    "xccPanel",         "xccScrollBox",       "xccGroupBox",    "xccTabSheet",     "xccPageScroller",
    "xccJvXPContainer", "xccJvScrollMaxBand", "xccJvScrollMax", "xccJvPageControl"};
static_assert(std::size(kFlatContainerNames) == 14);

constexpr const char* kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

using Lines = std::vector<TStoredProperty>;

[[noreturn]] void BadValue() { throw EReadError("Valeur de propriété incorrecte"); }

void RequireWhole(const std::string& part) {
    if (!part.empty()) BadValue();
}

// A property stored as one line. Encode gives the text, or nothing when the
// value is not stored; decode reads it back and sets it.
template <typename Get, typename Set, typename Encode, typename Decode>
TFlatMenuProperty OneLine(std::string name, Get get, Set set, Encode encode, Decode decode) {
    TFlatMenuProperty property;
    property.Name = name;
    property.Write = [name, get, encode](const TFlatMenu& menu, Lines& out) {
        if (auto text = encode((menu.*get)())) out.push_back({name, *text});
    };
    property.Read = [set, decode](TFlatMenu& menu, const std::string& part, const std::string& value) {
        RequireWhole(part);
        (menu.*set)(decode(value));
    };
    return property;
}

template <typename Get, typename Set>
TFlatMenuProperty Boolean(std::string name, Get get, Set set, bool storedWhenFalse = true) {
    return OneLine(
        std::move(name), get, set,
        [storedWhenFalse](bool v) { return v || storedWhenFalse ? std::optional(BooleanText(v)) : std::nullopt; },
        [](const std::string& text) { return BooleanFromText(text); });
}

template <typename Get, typename Set>
TFlatMenuProperty Color(std::string name, Get get, Set set) {
    return OneLine(
        std::move(name), get, set, [](TColor v) { return std::optional(ColorText(v)); },
        [](const std::string& text) { return ColorFromText(text); });
}

template <typename Get, typename Set>
TFlatMenuProperty Byte(std::string name, Get get, Set set) {
    return OneLine(
        std::move(name), get, set, [](std::uint8_t v) { return std::optional(IntegerText(v)); },
        [](const std::string& text) { return std::uint8_t(IntegerFromText(text, 0, 255)); });
}

// Empty strings are not written.
template <typename Get, typename Set>
TFlatMenuProperty String(std::string name, Get get, Set set) {
    return OneLine(
        std::move(name), get, set,
        [](const std::string& v) { return v.empty() ? std::nullopt : std::optional(StringText(v)); },
        [](const std::string& text) { return StringFromText(text); });
}

// Written only when some member is missing.
template <typename Bits, typename Get, typename Set>
TFlatMenuProperty MemberSet(std::string name, Get get, Set set, std::span<const char* const> names, Bits all) {
    return OneLine(
        std::move(name), get, set,
        [names, all](Bits v) { return v == all ? std::nullopt : std::optional(SetText(v, names)); },
        [names](const std::string& text) { return Bits(SetFromText(text, names)); });
}

std::string CharsetText(std::uint8_t charset) {
    return charset == DEFAULT_CHARSET ? "DEFAULT_CHARSET" : IntegerText(charset);
}

std::uint8_t CharsetFromText(const std::string& text) {
    return text == "DEFAULT_CHARSET" ? DEFAULT_CHARSET : std::uint8_t(IntegerFromText(text, 0, 255));
}

TFlatMenuProperty FontProperty() {
    TFlatMenuProperty property;
    property.Name = "Font";
    property.Write = [](const TFlatMenu& menu, Lines& out) {
        const TFont& font = menu.Font();
        out.push_back({"Font.Charset", CharsetText(font.Charset)});
        out.push_back({"Font.Color", ColorText(font.Color)});
        out.push_back({"Font.Height", IntegerText(font.Height)});
        out.push_back({"Font.Name", StringText(font.Name)});
        out.push_back({"Font.Style", SetText(font.Style, kFontStyleNames)});
    };
    property.Read = [](TFlatMenu& menu, const std::string& part, const std::string& value) {
        TFont font = menu.Font();
        if (part == "Charset")
            font.Charset = CharsetFromText(value);
        else if (part == "Color")
            font.Color = ColorFromText(value);
        else if (part == "Height")
            font.Height = std::int32_t(IntegerFromText(value, INT32_MIN, INT32_MAX));
        else if (part == "Name")
            font.Name = StringFromText(value);
        else if (part == "Style")
            font.Style = TFontStyles(SetFromText(value, kFontStyleNames));
        else
            BadValue();
        menu.SetFont(font);
    };
    return property;
}

std::vector<TFlatMenuProperty> MakeProperties() {
    using M = TFlatMenu;
    return {
        Byte("DimLevel", &M::DimLevel, &M::SetDimLevel),
        Byte("GrayLevel", &M::GrayLevel, &M::SetGrayLevel),
        FontProperty(),
        Color("Color", &M::Color, &M::SetColor),
        Boolean("DrawMenuBar", &M::DrawMenuBar, &M::SetDrawMenuBar),
        Color("IconBackColor", &M::IconBackColor, &M::SetIconBackColor),
        Color("MenuBarColor", &M::MenuBarColor, &M::SetMenuBarColor),
        Color("SelectColor", &M::SelectColor, &M::SetSelectColor),
        Color("SelectBorderColor", &M::SelectBorderColor, &M::SetSelectBorderColor),
        Color("SelectFontColor", &M::SelectFontColor, &M::SetSelectFontColor),
        Color("DisabledColor", &M::DisabledColor, &M::SetDisabledColor),
        Color("SeparatorColor", &M::SeparatorColor, &M::SetSeparatorColor),
        Color("CheckedColor", &M::CheckedColor, &M::SetCheckedColor),
        OneLine(
            "IconWidth", &M::IconWidth, &M::SetIconWidth, [](std::int32_t v) { return std::optional(IntegerText(v)); },
            [](const std::string& text) { return std::int32_t(IntegerFromText(text, INT32_MIN, INT32_MAX)); }),
        Boolean("DrawSelect", &M::DrawSelect, &M::SetDrawSelect),
        Boolean("UseSystemColors", &M::UseSystemColors, &M::SetUseSystemColors),
        Boolean("UseDimColor", &M::UseDimColor, &M::SetUseDimColor),
        Boolean("OverrideOwnerDraw", &M::OverrideOwnerDraw, &M::SetOverrideOwnerDraw),
        String("ExtraControl", &M::ExtraControl, &M::SetExtraControl),
        String("ExtraContainer", &M::ExtraContainer, &M::SetExtraContainer),
        Boolean("Gradient", &M::Gradient, &M::SetGradient),
        Boolean("FlatMenu", &M::FlatMenu, &M::SetFlatMenu),
        Boolean("AutoDetect", &M::AutoDetect, &M::SetAutoDetect),
        MemberSet("FlatContainers", &M::FlatContainers, &M::SetFlatContainers, kFlatContainerNames, kAllFlatContainers),
        MemberSet("FlatControls", &M::FlatControls, &M::SetFlatControls, kFlatControlNames, kAllFlatControls),
        Boolean("Active", &M::Active, &M::SetActive),
        Boolean("DisableSubclassing", &M::DisableSubclassing, &M::SetDisableSubclassing, false),
    };
}

std::pair<std::string, std::string> NameAndPart(const std::string& stored) {
    const auto dot = stored.find('.');
    if (dot == std::string::npos) return {stored, {}};
    return {stored.substr(0, dot), stored.substr(dot + 1)};
}

}  // namespace

const std::vector<TFlatMenuProperty>& FlatMenuProperties() {
    static const std::vector<TFlatMenuProperty> properties = MakeProperties();
    return properties;
}

TStoredObject WriteFlatMenu(const TFlatMenu& menu) {
    TStoredObject object{menu.Name, "TFlatMenu", {}};
    for (const TFlatMenuProperty& property : FlatMenuProperties()) property.Write(menu, object.Properties);
    return object;
}

void ReadFlatMenu(TFlatMenu& menu, const TStoredObject& object) {
    const auto& properties = FlatMenuProperties();
    for (const TStoredProperty& stored : object.Properties) {
        const std::string name = NameAndPart(stored.Name).first;
        if (std::ranges::none_of(properties, [&](const TFlatMenuProperty& p) { return p.Name == name; })) BadValue();
    }
    for (const TFlatMenuProperty& property : properties)
        for (const TStoredProperty& stored : object.Properties)
            if (auto [name, part] = NameAndPart(stored.Name); name == property.Name)
                property.Read(menu, part, stored.Value);
}

TFlatMenu* LoadFlatMenu(TComponent* owner, const TStoredObject& object) {
    if (object.ClassName != "TFlatMenu") throw EReadError();
    auto* menu = new TFlatMenu(owner);
    try {
        menu->Name = object.Name;
        ReadFlatMenu(*menu, object);
    } catch (...) {
        FreeComponent(menu);
        throw;
    }
    return menu;
}

}  // namespace veilix
