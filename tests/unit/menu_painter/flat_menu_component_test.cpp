// The menu painter as a component: its defaults, its owner, what each setter
// does beyond storing, and the rules by which it attaches to menus and bars.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "platform/core/exception.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/fonts.h"
#include "platform/system/os_version.h"
#include "support/flat_menu_fixture.h"
#include "support/system_colours.h"

namespace veilix {
namespace {

using testing::AddItem;
using testing::AddSubItem;
using testing::ApplicationHandlers;
using testing::kFace;
using testing::PainterBand;
using testing::PainterDraw;
using testing::PainterMeasure;

using FlatMenuComponentTest = testing::FlatMenuFixture;

TEST_F(FlatMenuComponentTest, StartsWithTheDocumentedDefaultsAndAPaletteForItsForm) {
    TForm& form = NewForm();
    auto* painter = new TFlatMenu(&form);
    TFont menuFont;
    if (GetSystemMenuFont(menuFont)) menuFont.Color = clMenuText;

    EXPECT_EQ(painter->OwnerForm(), &form);
    EXPECT_EQ(painter->DimLevel(), 30);
    EXPECT_EQ(painter->GrayLevel(), 10);
    EXPECT_EQ(painter->Font(), menuFont);
    EXPECT_EQ(painter->Color(), clBtnFace);
    EXPECT_FALSE(painter->DrawMenuBar());
    EXPECT_EQ(painter->IconBackColor(), clBtnFace);
    EXPECT_EQ(painter->MenuBarColor(), clBtnFace);
    EXPECT_EQ(painter->SelectColor(), clHighlight);
    EXPECT_EQ(painter->SelectBorderColor(), clHighlight);
    EXPECT_EQ(painter->SelectFontColor(), menuFont.Color);
    EXPECT_EQ(painter->DisabledColor(), clInactiveCaption);
    EXPECT_EQ(painter->SeparatorColor(), clBtnFace);
    EXPECT_EQ(painter->CheckedColor(), clHighlight);
    EXPECT_EQ(painter->IconWidth(), 24);
    EXPECT_TRUE(painter->DrawSelect());
    EXPECT_TRUE(painter->UseSystemColors());
    EXPECT_FALSE(painter->UseDimColor());
    EXPECT_FALSE(painter->OverrideOwnerDraw());
    EXPECT_EQ(painter->ExtraControl(), "");
    EXPECT_EQ(painter->ExtraContainer(), "");
    EXPECT_FALSE(painter->Gradient());
    EXPECT_FALSE(painter->FlatMenu());
    EXPECT_FALSE(painter->AutoDetect());
    EXPECT_EQ(painter->FlatContainers(), kAllFlatContainers);
    EXPECT_EQ(painter->FlatControls(), kAllFlatControls);
    EXPECT_FALSE(painter->Active());
    EXPECT_FALSE(painter->DisableSubclassing());
    EXPECT_TRUE(painter->IsNT());
    EXPECT_FALSE(painter->IsV51());
    EXPECT_FALSE(painter->FramePainting());

    EXPECT_FALSE(painter->PaletteDirty());
    TPaletteProperties properties;
    properties.FontColor = menuFont.Color;
    properties.SelectFontColor = menuFont.Color;
    EXPECT_EQ(painter->Palette(), DerivePalette(properties, form.CanvasBitsPerPixel()));
    EXPECT_EQ(ColorToRGB(painter->Palette().FrameColor), RGBColor(146, 145, 126)) << "derived from the face colour";
    EXPECT_NE(FlatMenuManager(), nullptr);
}

TEST_F(FlatMenuComponentTest, WithoutOwnerItHasNoFormAndDerivesItsPaletteWhenFirstPainting) {
    TFlatMenu painter(nullptr);
    EXPECT_EQ(painter.OwnerForm(), nullptr);
    EXPECT_TRUE(painter.PaletteDirty());
    TBitmap surface(1, 1);
    painter.DerivePalette(surface.Canvas());
    EXPECT_FALSE(painter.PaletteDirty());
    EXPECT_EQ(ColorToRGB(painter.Palette().BarColor), kFace);
}

TEST_F(FlatMenuComponentTest, AnOwnerThatIsNoFormIsRefused) {
    TComponent notAForm(nullptr);
    try {
        new TFlatMenu(&notAForm);
        FAIL() << "no failure";
    } catch (const EInvalidCast& failure) {
        EXPECT_EQ(failure.Message(), "Transtypage de classe incorrect");
    }
    EXPECT_EQ(notAForm.ComponentCount(), 0);
    TForm& form = NewForm();
    auto* menu = new TPopupMenu(&form);
    EXPECT_THROW(new TFlatMenu(menu), EInvalidCast);
    EXPECT_EQ(menu->ComponentCount(), 0);
}

TEST_F(FlatMenuComponentTest, TheVersionIsReadOnceAtConstruction) {
    struct Case {
        TOSVersionTraits os;
        bool nt, v51;
    } cases[] = {{{true, false}, true, false}, {{true, true}, true, true}, {{false, true}, false, false}};
    for (const Case& c : cases) {
        SetOSVersionTraits(c.os);
        TFlatMenu painter(nullptr);
        SetOSVersionTraits(std::nullopt);
        EXPECT_EQ(painter.IsNT(), c.nt);
        EXPECT_EQ(painter.IsV51(), c.v51);
    }
}

TEST_F(FlatMenuComponentTest, SettersMarkThePaletteAndAskForTheMenuBarAsDocumented) {
    struct Case {
        const char* name;
        std::function<void(TFlatMenu&)> set;
        bool dirties;
        bool redrawsBar;
    };
    const TColor c = RGBColor(1, 2, 3);
    const Case cases[] = {
        {"Color", [&](TFlatMenu& p) { p.SetColor(c); }, true, false},
        {"IconBackColor", [&](TFlatMenu& p) { p.SetIconBackColor(c); }, true, false},
        {"SelectColor", [&](TFlatMenu& p) { p.SetSelectColor(c); }, true, false},
        {"SelectBorderColor", [&](TFlatMenu& p) { p.SetSelectBorderColor(c); }, true, false},
        {"SelectFontColor", [&](TFlatMenu& p) { p.SetSelectFontColor(c); }, true, false},
        {"DisabledColor", [&](TFlatMenu& p) { p.SetDisabledColor(c); }, true, false},
        {"SeparatorColor", [&](TFlatMenu& p) { p.SetSeparatorColor(c); }, true, false},
        {"CheckedColor", [&](TFlatMenu& p) { p.SetCheckedColor(c); }, true, false},
        {"MenuBarColor", [&](TFlatMenu& p) { p.SetMenuBarColor(c); }, true, true},
        {"UseSystemColors", [](TFlatMenu& p) { p.SetUseSystemColors(false); }, false, true},
        {"Font",
         [](TFlatMenu& p) {
             p.SetFont(TFont{"Sans", -20, 0, clWhite, fsBold});
         },
         false, true},
        {"Active", [](TFlatMenu& p) { p.SetActive(true); }, false, true},
        {"UseDimColor", [](TFlatMenu& p) { p.SetUseDimColor(true); }, false, false},
        {"IconWidth", [](TFlatMenu& p) { p.SetIconWidth(30); }, false, false},
        {"Gradient", [](TFlatMenu& p) { p.SetGradient(true); }, false, false},
        {"DimLevel", [](TFlatMenu& p) { p.SetDimLevel(50); }, false, false},
    };
    for (const Case& test : cases) {
        TForm& form = NewForm();
        auto* painter = new TFlatMenu(&form);
        const TMenuPalette before = painter->Palette();
        test.set(*painter);
        EXPECT_EQ(painter->PaletteDirty(), test.dirties) << test.name;
        EXPECT_EQ(form.MenuBarRedrawRequests(), test.redrawsBar ? 1 : 0) << test.name;
        EXPECT_EQ(painter->Palette(), before) << test.name << ": the palette waits for the next painting";
        FreeForm(form);
    }
}

TEST_F(FlatMenuComponentTest, TheFontIsCopiedAndFeedsTheSelectedTextOfTheNextPalette) {
    TForm& form = NewForm();
    auto* painter = new TFlatMenu(&form);
    TFont font{"Sans", -20, 0, RGBColor(200, 0, 0), fsBold};
    painter->SetFont(font);
    font.Name = "Other";
    EXPECT_EQ(painter->Font().Name, "Sans");
    TBitmap surface(1, 1);
    painter->DerivePalette(surface.Canvas());
    EXPECT_EQ(painter->Palette().SelectTextColor, RGBColor(200, 0, 0));
}

class AttachTest : public testing::FlatMenuFixture {
protected:
    void SetUp() override {
        FlatMenuFixture::SetUp();
        form_ = &NewForm();
        popup_ = new TPopupMenu(form_);
        add_ = AddItem(form_, *popup_, "Add");
        sub_ = AddSubItem(form_, *add_, "Sub");
        close_ = AddItem(form_, *popup_, "&Close");
        painter_ = new TFlatMenu(form_);
    }

    bool Attached(const TMenuItem* item) const {
        return item->OnDrawItem == PainterDraw(*painter_) && item->OnMeasureItem == PainterMeasure(*painter_);
    }
    static bool Bare(const TMenuItem* item) { return !item->OnDrawItem && !item->OnMeasureItem; }

    TForm* form_ = nullptr;
    TPopupMenu* popup_ = nullptr;
    TMenuItem *add_ = nullptr, *sub_ = nullptr, *close_ = nullptr;
    TFlatMenu* painter_ = nullptr;
};

TEST_F(AttachTest, ActivatingAttachesEveryItemAndDeactivatingTakesItAllBack) {
    painter_->SetActive(true);
    EXPECT_TRUE(popup_->OwnerDraw);
    for (const TMenuItem* item : {add_, sub_, close_}) EXPECT_TRUE(Attached(item)) << item->Caption;
    painter_->SetActive(true);
    EXPECT_EQ(form_->MenuBarRedrawRequests(), 1) << "a second activation does nothing";
    painter_->SetActive(false);
    EXPECT_FALSE(popup_->OwnerDraw);
    for (const TMenuItem* item : {add_, sub_, close_}) EXPECT_TRUE(Bare(item)) << item->Caption;
}

TEST_F(AttachTest, HandlersTheApplicationSetAreKeptUnlessOverriddenAndNeverCleared) {
    struct Case {
        const char* what;
        bool applicationHandlers;
        bool overrideOwnerDraw;
        std::intptr_t tag;
        bool attachedWhenActive;
        bool applicationsAfterDeactivating;
    } cases[] = {
        {"bare item", false, false, 0, true, false},
        {"application's item", true, false, 0, false, true},
        {"application's item, overridden", true, true, 0, true, false},
        {"excluded bare item", false, false, kExcludeTag, false, false},
        {"excluded item, overridden", true, true, kExcludeTag, false, true},
    };
    ApplicationHandlers app;
    for (const Case& c : cases) {
        add_->Tag = c.tag;
        add_->OnDrawItem = c.applicationHandlers ? app.DrawEvent() : TMenuDrawItemEvent{};
        add_->OnMeasureItem = c.applicationHandlers ? app.MeasureEvent() : TMenuMeasureItemEvent{};
        painter_->SetOverrideOwnerDraw(c.overrideOwnerDraw);
        painter_->SetActive(true);
        EXPECT_EQ(Attached(add_), c.attachedWhenActive) << c.what;
        EXPECT_TRUE(Attached(sub_)) << c.what << ": sub-items are attached below any item";
        painter_->SetActive(false);
        EXPECT_EQ(add_->OnDrawItem == app.DrawEvent(), c.applicationsAfterDeactivating) << c.what;
        EXPECT_EQ(add_->OnMeasureItem == app.MeasureEvent(), c.applicationsAfterDeactivating) << c.what;
        EXPECT_TRUE(Bare(sub_)) << c.what;
    }
}

TEST_F(AttachTest, MenusAreAttachedByKindTagAndTheControlSet) {
    auto* mainMenu = new TMainMenu(form_);
    TMenuItem* file = AddItem(form_, *mainMenu, "&File");
    TMenuItem* open = AddSubItem(form_, *file, "&Open");
    auto* emptyMain = new TMainMenu(form_);
    struct Case {
        const char* what;
        TFlatControls controls;
        std::intptr_t mainTag, popupTag;
        bool mainAttached, popupAttached;
    } cases[] = {
        {"all kinds", kAllFlatControls, 0, 0, true, true},
        {"excluded main menu", kAllFlatControls, kExcludeTag, 0, false, true},
        {"a popup menu's tag does not count", kAllFlatControls, 0, kExcludeTag, true, true},
        {"no main menus", kAllFlatControls & ~Bit(TFlatControl::xcMainMenu), 0, 0, false, true},
        {"no popup menus", kAllFlatControls & ~Bit(TFlatControl::xcPopupMenu), 0, 0, true, false},
    };
    for (const Case& c : cases) {
        const int barRequests = form_->MenuBarRedrawRequests();
        mainMenu->Tag = c.mainTag;
        popup_->Tag = c.popupTag;
        painter_->SetFlatControls(c.controls);
        painter_->SetActive(true);
        EXPECT_EQ(Attached(file) && Attached(open), c.mainAttached) << c.what;
        EXPECT_EQ(mainMenu->OwnerDraw, c.mainAttached) << c.what;
        EXPECT_EQ(Attached(add_) && Attached(close_), c.popupAttached) << c.what;
        EXPECT_FALSE(emptyMain->OwnerDraw) << c.what << ": a menu without items keeps its switch";
        // The activation's own request, and one more to rebuild an attached bar.
        EXPECT_EQ(form_->MenuBarRedrawRequests() - barRequests, c.mainAttached ? 2 : 1) << c.what;
        painter_->SetActive(false);
        EXPECT_TRUE(Bare(file) && Bare(add_)) << c.what;
    }
}

TEST_F(AttachTest, ChangingTheControlSetWhileActiveAttachesAfresh) {
    painter_->SetActive(true);
    painter_->SetFlatControls(kAllFlatControls & ~Bit(TFlatControl::xcPopupMenu));
    EXPECT_TRUE(painter_->Active());
    EXPECT_TRUE(Bare(add_) && Bare(sub_));
    EXPECT_FALSE(popup_->OwnerDraw);
    painter_->SetFlatControls(kAllFlatControls);
    EXPECT_TRUE(Attached(add_) && Attached(sub_));

    painter_->SetActive(false);
    painter_->SetFlatControls(kAllFlatControls & ~Bit(TFlatControl::xcPopupMenu));
    EXPECT_TRUE(Bare(add_)) << "inactive: only stored";
    painter_->SetActive(true);
    EXPECT_TRUE(Bare(add_));
    painter_->SetActive(false);
    painter_->SetFlatControls(kAllFlatControls);
    painter_->SetFlatContainers(0);
    EXPECT_EQ(painter_->FlatContainers(), 0);
}

TEST_F(AttachTest, FormsOwnedByTheContainerAreAttachedThrough) {
    auto* inner = new TForm(form_);
    auto* innerPopup = new TPopupMenu(inner);
    TMenuItem* item = AddItem(inner, *innerPopup, "Inner");
    painter_->SetActive(true);
    EXPECT_TRUE(Attached(item));
    painter_->SetActive(false);
    EXPECT_TRUE(Bare(item));
}

TEST_F(AttachTest, ControlBarsGetTheBandPainter) {
    ApplicationHandlers app;
    auto* bar = new TControlBar(form_);
    auto* ownBar = new TControlBar(form_);
    ownBar->OnBandPaint = app.BandEvent();
    painter_->SetActive(true);
    EXPECT_EQ(bar->OnBandPaint, PainterBand(*painter_));
    EXPECT_EQ(ownBar->OnBandPaint, app.BandEvent());
    EXPECT_EQ(bar->RepaintRequests(), 1);
    painter_->SetActive(false);
    EXPECT_FALSE(bar->OnBandPaint);
    EXPECT_EQ(ownBar->OnBandPaint, app.BandEvent());

    painter_->SetOverrideOwnerDraw(true);
    painter_->SetActive(true);
    EXPECT_EQ(ownBar->OnBandPaint, PainterBand(*painter_));
    painter_->SetActive(false);
    EXPECT_FALSE(ownBar->OnBandPaint) << "overridden: it was the painter's when detached";

    painter_->SetFlatControls(kAllFlatControls & ~Bit(TFlatControl::xcControlbar));
    painter_->SetActive(true);
    EXPECT_FALSE(bar->OnBandPaint);
}

TEST_F(AttachTest, AutoDetectOffersControlBarsInsertedLater) {
    painter_->SetActive(true);
    auto* unseen = new TControlBar(form_);
    EXPECT_FALSE(unseen->OnBandPaint);
    painter_->SetAutoDetect(true);
    auto* seen = new TControlBar(form_);
    EXPECT_EQ(seen->OnBandPaint, PainterBand(*painter_));
    painter_->SetActive(false);
    auto* inactive = new TControlBar(form_);
    EXPECT_FALSE(inactive->OnBandPaint);
}

TEST_F(AttachTest, TheBandPainterFillsTheBandWithTheBarColourDerivedWhenDirty) {
    auto* bar = new TControlBar(form_);
    painter_->SetActive(true);
    painter_->SetUseSystemColors(false);
    painter_->SetMenuBarColor(RGBColor(10, 200, 30));
    TBitmap surface(20, 10);
    TCanvas& canvas = surface.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(TRect{0, 0, 20, 10});
    bar->PaintBand(canvas, TRect{2, 3, 12, 8});
    EXPECT_FALSE(painter_->PaletteDirty());
    EXPECT_EQ(canvas.Pixel(2, 3), RGBColor(10, 200, 30));
    EXPECT_EQ(canvas.Pixel(11, 7), RGBColor(10, 200, 30));
    EXPECT_EQ(canvas.Pixel(12, 7), clWhite);
    EXPECT_EQ(canvas.Pixel(2, 8), clWhite);
}

TEST_F(AttachTest, DestroyingThePainterDetachesOnlyItsOwnHandlers) {
    ApplicationHandlers app;
    close_->OnDrawItem = app.DrawEvent();
    painter_->SetActive(true);
    FreeComponent(painter_);
    EXPECT_TRUE(Bare(add_) && Bare(sub_));
    EXPECT_EQ(close_->OnDrawItem, app.DrawEvent());
    EXPECT_FALSE(close_->OnMeasureItem);
}

}  // namespace
}  // namespace veilix
