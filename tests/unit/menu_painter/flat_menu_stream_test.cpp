// The painter in a stored description: what is written, reading it back, and
// a form built from it, where Active takes effect last and Loaded registers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_painter/flat_menu_stream.h"
#include "platform/core/exception.h"
#include "platform/core/stored_object.h"
#include "support/flat_menu_fixture.h"

namespace veilix {
namespace {

using testing::AddItem;
using testing::ApplicationHandlers;
using testing::PainterDraw;

using FlatMenuStreamTest = testing::FlatMenuFixture;

std::vector<std::string> Names(const TStoredObject& object) {
    std::vector<std::string> names;
    for (const TStoredProperty& p : object.Properties) names.push_back(p.Name);
    return names;
}

TEST_F(FlatMenuStreamTest, EveryPropertyIsWrittenInDeclaredOrderExceptTheUnstoredOnes) {
    TForm& form = NewForm();
    auto* painter = new TFlatMenu(&form);
    painter->Name = "FlatMenu1";
    const TStoredObject object = WriteFlatMenu(*painter);
    EXPECT_EQ(object.Name, "FlatMenu1");
    EXPECT_EQ(object.ClassName, "TFlatMenu");
    const std::vector<std::string> expected{
        "DimLevel",          "GrayLevel",       "Font.Charset",  "Font.Color",        "Font.Height",  "Font.Name",
        "Font.Style",        "Color",           "DrawMenuBar",   "IconBackColor",     "MenuBarColor", "SelectColor",
        "SelectBorderColor", "SelectFontColor", "DisabledColor", "SeparatorColor",    "CheckedColor", "IconWidth",
        "DrawSelect",        "UseSystemColors", "UseDimColor",   "OverrideOwnerDraw", "Gradient",     "FlatMenu",
        "AutoDetect",        "Active"};
    EXPECT_EQ(Names(object), expected);

    painter->SetExtraControl("x");
    painter->SetFlatControls(kAllFlatControls & ~Bit(TFlatControl::xcMainMenu));
    painter->SetDisableSubclassing(true);
    const std::vector<std::string> names = Names(WriteFlatMenu(*painter));
    for (const char* now : {"ExtraControl", "FlatControls", "DisableSubclassing"})
        EXPECT_EQ(std::ranges::count(names, now), 1) << now;
    EXPECT_EQ(std::ranges::count(names, "ExtraContainer"), 0);
    EXPECT_EQ(std::ranges::count(names, "FlatContainers"), 0);
}

TEST_F(FlatMenuStreamTest, WhatIsWrittenReadsBackTheSame) {
    TForm& form = NewForm();
    auto* painter = new TFlatMenu(&form);
    painter->Name = "FlatMenu1";
    painter->SetDimLevel(255);
    painter->SetGrayLevel(0);
    painter->SetFont(TFont{"It's Sans", -13, 0, RGBColor(1, 2, 3), fsBold | fsUnderline});
    painter->SetColor(RGBColor(200, 100, 50));
    painter->SetDrawMenuBar(true);
    painter->SetSelectColor(0xFF000005);  // a system colour without a name here
    painter->SetCheckedColor(clSilver);
    painter->SetIconWidth(-7);
    painter->SetDrawSelect(false);
    painter->SetUseSystemColors(false);
    painter->SetUseDimColor(true);
    painter->SetOverrideOwnerDraw(true);
    painter->SetExtraControl("a 'quoted' text");
    painter->SetExtraContainer("b");
    painter->SetGradient(true);
    painter->SetFlatMenu(true);
    painter->SetAutoDetect(true);
    painter->SetFlatContainers(0);
    painter->SetFlatControls(Bit(TFlatControl::xcPopupMenu) | Bit(TFlatControl::xcDBGrid));
    painter->SetActive(true);
    painter->SetDisableSubclassing(true);

    const std::string text = WriteStoredObject(WriteFlatMenu(*painter));
    EXPECT_NE(text.find("  FlatControls = [xcPopupMenu, xcDBGrid]\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Font.Name = 'It''s Sans'\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Color = 3302600\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  CheckedColor = clSilver\n"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("object FlatMenu1: TFlatMenu\n", 0), 0u) << text;

    TForm& other = NewForm();
    TFlatMenu* copy = LoadFlatMenu(&other, ReadStoredObject(text));
    EXPECT_EQ(copy->Owner(), &other);
    EXPECT_EQ(WriteFlatMenu(*copy), WriteFlatMenu(*painter));
    EXPECT_EQ(copy->Font(), painter->Font());
    EXPECT_EQ(copy->SelectColor(), 0xFF000005u);
    EXPECT_EQ(copy->FlatContainers(), 0);
    EXPECT_TRUE(copy->DisableSubclassing());
}

TEST_F(FlatMenuStreamTest, AFormBuiltFromItsDescriptionAttachesWithEverySettingAndRegistersWhenLoaded) {
    ApplicationHandlers app;
    testing::LoadingForm& form = NewForm();
    form.BeginLoading();
    auto* popup = new TPopupMenu(&form);
    TMenuItem* item = AddItem(&form, *popup, "Add Circle");
    item->OnDrawItem = app.DrawEvent();
    // Active comes first here; it must still take effect after the override.
    const std::string text =
        "object FlatMenu1: TFlatMenu\n"
        "  Active = True\n"
        "  OverrideOwnerDraw = True\n"
        "  Font.Name = 'Tahoma'\n"
        "  Font.Height = -11\n"
        "end\n";
    TFlatMenu* painter = LoadFlatMenu(&form, ReadStoredObject(text));
    EXPECT_EQ(painter->Name, "FlatMenu1");
    EXPECT_EQ(item->OnDrawItem, PainterDraw(*painter));
    EXPECT_TRUE(FlatMenuManager()->Painters().empty()) << "registered only when loaded";
    form.EndLoading();
    EXPECT_EQ(FlatMenuManager()->ServingPainter(), painter);
    EXPECT_EQ(painter->Font().Name, "Tahoma");
    EXPECT_EQ(painter->Font().Height, -11);
}

TEST_F(FlatMenuStreamTest, TextThatIsNoDescriptionIsRefused) {
    const char* texts[] = {
        "",
        "  DimLevel = 3\nend\n",
        "object FlatMenu1: TFlatMenu\n  DimLevel = 3\n",
        "object FlatMenu1: TFlatMenu\nend\nend\n",
        "object FlatMenu1 TFlatMenu\nend\n",
        "object FlatMenu1: TFlatMenu\n  DimLevel 3\nend\n",
        "object FlatMenu1: TFlatMenu\n  Font. = 3\nend\n",
        "object FlatMenu1: TFlatMenu\n  DimLevel =\nend\n",
    };
    for (const char* text : texts) EXPECT_THROW(ReadStoredObject(text), EReadError) << text;
}

TEST_F(FlatMenuStreamTest, BadValuesAndUnknownPropertiesAreRefused) {
    const TStoredProperty cases[] = {
        {"DimLevel", "256"},
        {"DimLevel", "-1"},
        {"GrayLevel", "1x"},
        {"DrawSelect", "true"},
        {"Color", "clNoSuch"},
        {"ExtraControl", "'open"},
        {"ExtraControl", "'a'b'"},
        {"FlatControls", "[xcNoSuch]"},
        {"FlatControls", "xcMainMenu"},
        {"FlatControls", "[xcMainMenu, ]"},
        {"Font.Size", "3"},
        {"Font", "3"},
        {"Active.Part", "True"},
        {"NoSuchProperty", "1"},
        {"IconWidth", "99999999999"},
    };
    TForm& form = NewForm();
    auto* painter = new TFlatMenu(&form);
    for (const TStoredProperty& property : cases)
        EXPECT_THROW(ReadFlatMenu(*painter, TStoredObject{"FlatMenu1", "TFlatMenu", {property}}), EReadError)
            << property.Name << " = " << property.Value;
    EXPECT_THROW(LoadFlatMenu(&form, TStoredObject{"X", "TOther", {}}), EReadError);
    const int before = form.ComponentCount();
    EXPECT_THROW(LoadFlatMenu(&form, TStoredObject{"X", "TFlatMenu", {{"DimLevel", "x"}}}), EReadError);
    EXPECT_EQ(form.ComponentCount(), before) << "a painter that fails to load is freed";
}

TEST_F(FlatMenuStreamTest, SetsReadEmptyAndFull) {
    TForm& form = NewForm();
    auto* painter = new TFlatMenu(&form);
    ReadFlatMenu(*painter, TStoredObject{"F", "TFlatMenu", {{"FlatContainers", "[]"}, {"FlatControls", "[ ]"}}});
    EXPECT_EQ(painter->FlatContainers(), 0);
    EXPECT_EQ(painter->FlatControls(), 0u);
    ReadFlatMenu(*painter, TStoredObject{"F", "TFlatMenu", {{"FlatControls", "[xcMainMenu,xcControlbar]"}}});
    EXPECT_EQ(painter->FlatControls(), Bit(TFlatControl::xcMainMenu) | Bit(TFlatControl::xcControlbar));
}

}  // namespace
}  // namespace veilix
