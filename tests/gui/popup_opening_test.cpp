// What opening a popup over the sheet costs beside the popup itself: the
// sheet's focus moves to the popup and back without the sheet being painted
// again, and the popup gets no copy of the program's icon, which the windows
// the user switches between carry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "platform/forms/form.h"
#include "platform/system/application_identity.h"
#include "stencil_gui.h"

namespace veilix {
namespace {

class EventCounter : public QObject {
public:
    int paints = 0;
    int focusChanges = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) ++focusChanges;
        return false;
    }
};

TEST(PopupOpening, TheSheetIsNotPaintedAgainWhenItsFocusGoesToThePopupAndBack) {
    TForm form(nullptr);
    form.SetClientWidth(40);
    form.SetClientHeight(30);
    form.Show();
    QWidget* sheet = form.NativeWidget();
    sheet->activateWindow();
    sheet->setFocus();
    gui::ProcessEventsFor(50);
    ASSERT_EQ(QApplication::focusWidget(), sheet);
    EventCounter counter;
    sheet->installEventFilter(&counter);

    QWidget popup(nullptr, Qt::Popup);
    popup.resize(20, 20);
    popup.show();
    gui::ProcessEventsFor(50);
    popup.close();
    gui::ProcessEventsFor(50);

    EXPECT_GE(counter.focusChanges, 2) << "the focus never left the sheet: nothing was tested";
    EXPECT_EQ(counter.paints, 0);
}

TEST(PopupOpening, WindowsCarryTheProgramIconAndPopupsDoNot) {
    QWidget shownBefore;
    shownBefore.show();
    gui::ProcessEventsFor(10);

    std::vector<std::uint8_t> rgba(16 * 16 * 4, 0xFF);
    SetApplicationIcon({TIconImage{16, 16, rgba}});
    QWidget shownAfter;
    shownAfter.show();
    QWidget popup(nullptr, Qt::Popup);
    popup.resize(20, 20);
    popup.show();
    gui::ProcessEventsFor(10);

    EXPECT_FALSE(shownBefore.windowIcon().isNull());
    EXPECT_FALSE(shownAfter.windowIcon().isNull());
    EXPECT_TRUE(popup.windowIcon().isNull());
    popup.close();
}

}  // namespace
}  // namespace veilix
