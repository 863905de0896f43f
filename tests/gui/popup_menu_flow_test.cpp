// A popup menu tracked in its own loop: moving the selection with the
// keyboard, sub-menus opened by keys and by hovering, and the leaf chosen in
// a sub-menu arriving as the command once every window has closed.
#include <QApplication>
#include <QCursor>
#include <QTimer>

#include <functional>
#include <vector>

#include "platform/menus/popup_menu.h"
#include "platform/menus/popup_menu_window.h"
#include "stencil_gui.h"

namespace veilix::gui {
namespace {

PopupMenuWindow* ActiveMenu() { return dynamic_cast<PopupMenuWindow*>(QApplication::activePopupWidget()); }

QPoint CentreOf(const PopupMenuWindow* window, int index) {
    return window->mapToGlobal(window->ItemRects()[std::size_t(index)].center());
}

void Type(const Key& key) {
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    qt_handleKeyEvent(menu->windowHandle(), QEvent::KeyPress, key.code, Qt::NoModifier, key.text, false, 1);
    qt_handleKeyEvent(menu->windowHandle(), QEvent::KeyRelease, key.code, Qt::NoModifier, key.text, false, 1);
    QCoreApplication::processEvents();
}
const Key kLeft{Qt::Key_Left, {}};
const Key kRight{Qt::Key_Right, {}};

void MovePointer(QPoint global) {
    QCursor::setPos(global);
    QCoreApplication::processEvents();
}

// A press and release where a window system would deliver them while a popup
// is open: to the newest popup.
void ClickAt(QPoint global) {
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    QWindow* window = menu->windowHandle();
    static int timestamp = 5000000;
    for (const auto& [type, held] :
         {std::pair{QEvent::MouseButtonPress, Qt::LeftButton}, std::pair{QEvent::MouseButtonRelease, Qt::NoButton}})
        qt_handleMouseEvent(window, global - window->position(), global, held, Qt::LeftButton, type, Qt::NoModifier,
                            timestamp += 1000);
    QCoreApplication::processEvents();
}

class PopupMenuFlow : public ::testing::Test {
protected:
    struct Clicks {
        std::vector<TComponent*> items;
        void Clicked(TComponent* sender) { items.push_back(sender); }
    };

    TMenuItem* Item(const char* caption, TMenuItem* parent = nullptr) {
        auto* item = new TMenuItem(&form_);
        item->Caption = caption;
        item->OnClick = TNotifyEvent(&clicks_, &Clicks::Clicked);
        if (parent)
            parent->Add(item);
        else
            menu_->Add(item);
        return item;
    }

    // Opens the menu at (100, 100) and runs the script inside its loop; the
    // script must leave the menu closed. Then runs the posted command.
    void Run(const std::function<void()>& script) {
        QTimer::singleShot(0, [&] {
            script();
            if (!QApplication::activePopupWidget()) return;
            ADD_FAILURE() << "the script left the menu open";
            while (QWidget* open = QApplication::activePopupWidget()) open->close();
        });
        menu_->Popup(100, 100);
        ProcessEvents();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }

    void SetUp() override { MovePointer(QPoint(0, 0)); }

    TComponent form_{nullptr};
    TPopupMenu* menu_ = new TPopupMenu(&form_);
    Clicks clicks_;
};

// Arrows pass over separators, wrap at both ends and stop on a disabled
// item, where Enter and its letter do nothing.
TEST_F(PopupMenuFlow, ArrowsSkipSeparatorsAndDisabledItemsCannotBeChosen) {
    Item("&Alpha");
    Item("-");
    Item("&Beta")->Enabled = false;
    TMenuItem* gamma = Item("&Gamma");
    Item("-");

    std::vector<int> selections;
    Run([&] {
        for (const Key& key : {kUp, kDown, kDown, kReturn, Letter('b'), kDown, kUp, kUp, kUp}) {
            Type(key);
            ASSERT_NE(ActiveMenu(), nullptr);
            selections.push_back(ActiveMenu()->Selected());
        }
        Type(Letter('g'));
    });

    EXPECT_EQ(selections, (std::vector<int>{3, 0, 2, 2, 2, 3, 2, 0, 3}));
    EXPECT_EQ(clicks_.items, std::vector<TComponent*>{gamma});
}

// Right and Enter open a sub-menu on its first item, Left and Escape close
// only the sub-menu, and a leaf two levels down ends the whole menu.
TEST_F(PopupMenuFlow, SubMenusOpenAndCloseByKeyAndTheirLeafIsChosen) {
    TMenuItem* file = Item("&File");
    Item("&Open", file);
    TMenuItem* recent = Item("&Recent", file);
    Item("&One", recent);
    TMenuItem* two = Item("&Two", recent);
    Item("&Quit");

    Run([&] {
        PopupMenuWindow* root = ActiveMenu();
        ASSERT_NE(root, nullptr);
        Type(kDown);
        Type(kRight);
        PopupMenuWindow* sub = root->SubMenu();
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(ActiveMenu(), sub);
        EXPECT_EQ(sub->Selected(), 0);
        // Beside its item: over the parent's border, first items level.
        EXPECT_EQ(sub->geometry().left(), root->geometry().right() + 1 - 3);
        EXPECT_EQ(CentreOf(sub, 0).y(), CentreOf(root, 0).y());

        Type(kLeft);
        EXPECT_EQ(root->SubMenu(), nullptr);
        EXPECT_EQ(ActiveMenu(), root);
        EXPECT_EQ(root->Selected(), 0);

        Type(kReturn);
        sub = root->SubMenu();
        ASSERT_NE(sub, nullptr);
        Type(kDown);
        Type(kRight);
        ASSERT_NE(sub->SubMenu(), nullptr);
        EXPECT_EQ(sub->SubMenu()->Selected(), 0);
        Type(kEscape);
        EXPECT_EQ(sub->SubMenu(), nullptr);
        EXPECT_EQ(ActiveMenu(), sub);
        EXPECT_TRUE(root->isVisible());

        Type(Letter('r'));  // the only R: opens it
        ASSERT_NE(sub->SubMenu(), nullptr);
        Type(kDown);
        Type(kReturn);
    });

    EXPECT_EQ(clicks_.items, std::vector<TComponent*>{two});
}

// Hovering an item with sub-items opens them and hovering another closes
// them; a release on a disabled item does nothing, one on a leaf of the
// sub-menu chooses it.
TEST_F(PopupMenuFlow, HoverOpensSubMenusAndAClickInOneChoosesItsLeaf) {
    TMenuItem* shapes = Item("&Shapes");
    TMenuItem* circle = Item("&Circle", shapes);
    Item("&Square", shapes);
    Item("&Locked")->Enabled = false;

    Run([&] {
        PopupMenuWindow* root = ActiveMenu();
        ASSERT_NE(root, nullptr);
        MovePointer(CentreOf(root, 0));
        ASSERT_NE(root->SubMenu(), nullptr);
        MovePointer(CentreOf(root, 1));
        EXPECT_EQ(root->SubMenu(), nullptr);
        EXPECT_EQ(root->Selected(), 1);  // a disabled item shows selected
        ClickAt(CentreOf(root, 1));
        EXPECT_EQ(ActiveMenu(), root);

        MovePointer(CentreOf(root, 0));
        PopupMenuWindow* sub = root->SubMenu();
        ASSERT_NE(sub, nullptr);
        MovePointer(CentreOf(sub, 0));
        EXPECT_EQ(sub->Selected(), 0);
        EXPECT_EQ(root->SubMenu(), sub);
        EXPECT_EQ(root->Selected(), 0);
        ClickAt(CentreOf(sub, 0));
    });

    EXPECT_EQ(clicks_.items, std::vector<TComponent*>{circle});
}

TEST_F(PopupMenuFlow, APressOutsideEveryWindowDismissesTheWholeMenu) {
    TMenuItem* shapes = Item("&Shapes");
    Item("&Circle", shapes);

    Run([&] {
        PopupMenuWindow* root = ActiveMenu();
        ASSERT_NE(root, nullptr);
        MovePointer(CentreOf(root, 0));
        ASSERT_NE(root->SubMenu(), nullptr);
        ClickAt(QPoint(5, 5));
    });

    EXPECT_TRUE(clicks_.items.empty());
}

// The menu keeps its window between openings, dismissed or chosen from; each
// opening still starts as on a new window: the items as they are then,
// measured again, none selected, and a choice of the last opening forgotten.
TEST_F(PopupMenuFlow, AMenuOpenedAgainStartsAfresh) {
    TMenuItem* alpha = Item("&Alpha");
    TMenuItem* beta = Item("&Beta");
    TMenuItem* gamma = Item("&Gamma");

    struct Seen {
        std::vector<TMenuItem*> items;
        int selected = 0;
        int height = 0;
    };
    std::vector<Seen> seen;
    QWidget* window = nullptr;
    auto look = [&] {
        PopupMenuWindow* menu = ActiveMenu();
        ASSERT_NE(menu, nullptr);
        window = menu;
        seen.push_back({menu->ShownItems(), menu->Selected(), menu->height()});
    };
    Run([&] {
        look();
        Type(kDown);
        Type(kDown);
        Type(kReturn);
    });
    gamma->Visible = false;
    TMenuItem* delta = Item("&Delta");
    delta->Visible = false;
    Run([&] {
        look();
        Type(kDown);
        Type(kEscape);
    });
    beta->Visible = false;
    Run([&] {
        look();
        Type(kEscape);
    });

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].items, (std::vector<TMenuItem*>{alpha, beta, gamma}));
    EXPECT_EQ(seen[1].items, (std::vector<TMenuItem*>{alpha, beta}));
    EXPECT_EQ(seen[2].items, std::vector<TMenuItem*>{alpha});
    for (const Seen& s : seen) EXPECT_EQ(s.selected, -1);
    EXPECT_GT(seen[0].height, seen[1].height);
    EXPECT_GT(seen[1].height, seen[2].height);
    // Only the first opening chose; the dismissed ones add nothing.
    EXPECT_EQ(clicks_.items, std::vector<TComponent*>{beta});
    // A window kept hidden must not keep the keyboard: the context-menu key
    // of the window beneath would never arrive.
    EXPECT_NE(QApplication::focusWidget(), window);
}

}  // namespace
}  // namespace veilix::gui
