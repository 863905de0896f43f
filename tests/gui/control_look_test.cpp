// The flat look of real windowed controls on a form with a painter: their
// own borders before, the painter's one-pixel border and faces while styled
// (hot ones lighter), and their own look again once restored. With
// VEILIX_SCREENSHOT_DIR set, the form is saved at each stage as a PNG.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "menu_painter/colour_ops.h"
#include "menu_painter/control_styling.h"
#include "menu_painter/control_styling/control_subclass.h"
#include "menu_painter/flat_menu.h"
#include "menu_painter/flat_menu_manager.h"
#include "platform/core/colors.h"
#include "platform/forms/form.h"
#include "platform/forms/screen_forms.h"
#include "platform/forms/windowed/std_controls.h"
#include "support/loading_form.h"
#include "support/pixels.h"

namespace veilix {
namespace {

using testing::LoadingForm;

class ControlLookTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = new LoadingForm();
        form_->SetColor(clBtnFace);
        form_->SetClientWidth(360);
        form_->SetClientHeight(250);
        edit_ = Add<TEdit>(10, 10, 150, 22);
        edit_->SetText("Edit");
        button_ = Add<TButton>(10, 42, 100, 26);
        button_->SetCaption("&Button");
        check_ = Add<TCheckBox>(10, 78, 150, 22);
        check_->SetCaption("Check box");
        check_->SetChecked(true);
        list_ = Add<TListBox>(10, 110, 150, 80);
        list_->SetItems({"One", "Two", "Three"});
        panel_ = Add<TPanel>(180, 10, 170, 60);
        auto* group = Add<TRadioGroup>(180, 80, 170, 110);
        group->SetCaption("Radio group");
        group->SetItems({"First", "Second"});
        group->Buttons()[0]->SetChecked(true);
        form_->Show();
        QCoreApplication::processEvents();
    }
    void TearDown() override {
        FreeComponent(form_);
        SetMainForm(nullptr);
        QCoreApplication::processEvents();
        EXPECT_EQ(FlatMenuManager(), nullptr);
    }

    template <typename Kind>
    Kind* Add(int left, int top, int width, int height) {
        auto* control = new Kind(form_);
        control->SetParent(form_);
        control->SetBounds(left, top, width, height);
        return control;
    }
    TFlatMenu* ActivatePainter() {
        form_->BeginLoading();
        painter_ = new TFlatMenu(form_);
        painter_->SetActive(true);
        form_->EndLoading();
        return painter_;
    }
    QImage Shot(const char* stage) {
        QCoreApplication::processEvents();
        const QImage image = form_->NativeWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const char* dir = std::getenv("VEILIX_SCREENSHOT_DIR"))
            image.save(QString::fromStdString(std::string(dir) + "/controls-" + stage + ".png"));
        return image;
    }
    // The colour at a point of a control, in the form's shot.
    static TColor At(const QImage& shot, const TWinControl& control, int x, int y) {
        return testing::ColourAt(shot, control.BoundsRect().Left + x, control.BoundsRect().Top + y);
    }
    static TColor Rgb(TColor colour) { return ColorToRGB(colour); }

    LoadingForm* form_ = nullptr;
    TFlatMenu* painter_ = nullptr;
    TEdit* edit_ = nullptr;
    TButton* button_ = nullptr;
    TCheckBox* check_ = nullptr;
    TListBox* list_ = nullptr;
    TPanel* panel_ = nullptr;
};

TEST_F(ControlLookTest, StyledControlsTakeTheFlatLookAndGiveItBack) {
    const QImage plain = Shot("plain");
    const TColor sunken = Rgb(clBtnShadow);
    for (const TWinControl* bordered : {static_cast<TWinControl*>(edit_), static_cast<TWinControl*>(list_)}) {
        EXPECT_EQ(At(plain, *bordered, 0, 0), sunken) << bordered->ClassName();
        EXPECT_EQ(At(plain, *bordered, 1, 1), Rgb(0xFF000015)) << "the inner dark line";
    }

    ActivatePainter();
    const TMenuPalette& palette = painter_->Palette();
    const QImage styled = Shot("styled");
    for (const TWinControl* framed : {static_cast<TWinControl*>(edit_), static_cast<TWinControl*>(list_),
                                      static_cast<TWinControl*>(button_), static_cast<TWinControl*>(panel_)}) {
        SCOPED_TRACE(std::string(framed->ClassName()));
        const int right = framed->Width() - 1, bottom = framed->Height() - 1;
        for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}, {right / 2, bottom}})
            EXPECT_EQ(At(styled, *framed, x, y), Rgb(palette.FrameColor)) << x << "," << y;
        EXPECT_NE(At(styled, *framed, 1, 1), Rgb(palette.FrameColor)) << "one pixel, not two";
    }
    EXPECT_EQ(At(styled, *button_, 3, 3), LightenColor(clBtnFace, palette.ControlTint));
    const TRect mark = check_->MarkRect();
    EXPECT_EQ(At(styled, *check_, mark.Left, mark.Top), Rgb(palette.FrameColor));
    int markPixels = 0;
    for (int y = mark.Top + 1; y < mark.Bottom - 1; ++y)
        for (int x = mark.Left + 1; x < mark.Right - 1; ++x)
            markPixels += At(styled, *check_, x, y) == Rgb(painter_->Font().Color);
    EXPECT_GE(markPixels, 15) << "the tick of a checked box";

    button_->Perform(CM_MOUSEENTER);
    edit_->Perform(WM_SETFOCUS);
    const QImage hot = Shot("hot");
    EXPECT_EQ(At(hot, *button_, 3, 3), LightenColor(clBtnFace, palette.ControlHotTint));
    EXPECT_EQ(At(hot, *button_, 0, 0), Rgb(palette.SelectFrameColor));
    EXPECT_EQ(At(hot, *edit_, 0, 0), Rgb(palette.SelectFrameColor)) << "focused";
    button_->Perform(CM_MOUSELEAVE);
    edit_->Perform(WM_KILLFOCUS);

    RestoreControls(form_);
    EXPECT_TRUE(ControlRecords(*painter_).empty());
    const QImage restored = Shot("restored");
    EXPECT_EQ(At(restored, *edit_, 0, 0), sunken);
    EXPECT_EQ(At(restored, *edit_, 1, 1), Rgb(0xFF000015));
    for (int y = 0; y < restored.height(); ++y)
        for (int x = 0; x < restored.width(); ++x)
            ASSERT_EQ(restored.pixel(x, y), plain.pixel(x, y)) << "the plain look again, at " << x << "," << y;
}

TEST_F(ControlLookTest, APointerOverAStyledButtonLightensItsFace) {
    ActivatePainter();
    QWidget* widget = button_->Widget();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(widget, &enter);
    const TColor hotFace = LightenColor(clBtnFace, painter_->Palette().ControlHotTint);
    EXPECT_EQ(At(Shot("pointer-over"), *button_, 3, 3), hotFace);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
    EXPECT_EQ(At(Shot("pointer-gone"), *button_, 3, 3), LightenColor(clBtnFace, painter_->Palette().ControlTint));
}

// A procedure of the application's own that repaints the control before
// passing a press on: Qt must still get the press, then the release.
struct RepaintingFirst {
    TButton* button;
    TWndMethod saved;
    void Proc(TMessage& message) {
        if (message.Msg == WM_LBUTTONDOWN) button->Widget()->repaint();
        saved(message);
    }
};

TEST_F(ControlLookTest, AnEventRoutedInsideAnotherLeavesTheOuterOneToQt) {
    RepaintingFirst own{button_, button_->WindowProc};
    button_->WindowProc = TWndMethod(&own, &RepaintingFirst::Proc);
    auto* widget = static_cast<QAbstractButton*>(button_->Widget());
    int clicks = 0;
    QObject::connect(widget, &QAbstractButton::clicked, [&] { ++clicks; });
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, {}, {});
    QApplication::sendEvent(widget, &release);
    EXPECT_EQ(clicks, 1);
    button_->WindowProc = own.saved;
}

}  // namespace
}  // namespace veilix
