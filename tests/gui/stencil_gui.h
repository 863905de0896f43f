#pragma once
// What the GUI tests share: the real application with its two windows, a
// pointer that goes through Qt's own input path (the offscreen platform moves
// it and reports enter, leave and moves; presses and releases enter where a
// window system would put them), and an answer for the popup menu, which runs
// its own loop.
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "platform/forms/form_widget.h"
#include "platform/forms/image.h"
#include "platform/messages/event_loop.h"
#include "platform/output/frame_composer.h"
#include "platform/system/message_box.h"
#include "platform/system/screen.h"
#include "stencil/stencil_form.h"
#include "templates/template_holder.h"

// Qt's entry points for input as a window system hands it over; QtGui exports
// them for Qt's own test helpers.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

namespace veilix::gui {

// Twice: a call run from the queue may queue another (a menu command that
// closes the sheet queues the quit).
inline void ProcessEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Handles events for a while: the platform shows a window's updates on a
// short timer of its own, and timers of ours may be due.
inline void ProcessEventsFor(int ms) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms) {
        ProcessEvents();
        QThread::msleep(1);
    }
}

inline QWindow* SheetWindow() { return Form1->NativeWidget()->windowHandle(); }

// Our own move loop of the sheet (the offscreen platform has no window manager
// move) is running.
inline bool SheetIsMoving() { return static_cast<FormWidget*>(Form1->NativeWidget())->InSystemMove(); }

// Screen point of a point in the sheet's client area.
inline QPoint OnSheet(int x, int y) { return QPoint(Form1->Left() + x, Form1->Top() + y); }

// Screen point of a point in a hole's own coordinates.
inline QPoint OnHole(const TControl& hole, int x, int y) { return OnSheet(hole.Left() + x, hole.Top() + y); }

struct Key {
    int code;
    QString text;
};
inline const Key kDown{Qt::Key_Down, {}};
inline const Key kUp{Qt::Key_Up, {}};
inline const Key kReturn{Qt::Key_Return, QStringLiteral("\r")};
inline const Key kEscape{Qt::Key_Escape, QStringLiteral("\x1b")};
inline Key Letter(char c) { return Key{Qt::Key_A + (QChar(c).toUpper().unicode() - 'A'), QString(QChar(c))}; }

// Answers the next popup menu from inside its loop: looks at it, then types
// the keys into it. Armed before the event that opens the menu.
class MenuAnswer {
public:
    explicit MenuAnswer(std::vector<Key> keys, std::function<void(QWidget& menu)> whileOpen = {})
        : keys_(std::move(keys)), whileOpen_(std::move(whileOpen)) {
        ++Armed();
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    ~MenuAnswer() { --Armed(); }
    MenuAnswer(const MenuAnswer&) = delete;
    MenuAnswer& operator=(const MenuAnswer&) = delete;

    bool Seen() const { return seen_; }
    // The menu window's outer rectangle on the screen.
    QRect Geometry() const { return geometry_; }

    static int& Armed() {
        static int armed = 0;
        return armed;
    }

private:
    void Poll() {
        QWidget* menu = QApplication::activePopupWidget();
        if (!menu) {
            // Nothing opened it: stop rather than answer a later menu.
            if (++polls_ > 100000) timer_.stop();
            return;
        }
        timer_.stop();
        seen_ = true;
        // The offscreen platform frames every window that is not frameless,
        // popups included; the menu's corner is the frame's.
        geometry_ = QRect(menu->windowHandle()->framePosition(), menu->windowHandle()->frameGeometry().size());
        if (whileOpen_) whileOpen_(*menu);
        for (const Key& key : keys_) {
            if (QApplication::activePopupWidget() != menu) break;
            qt_handleKeyEvent(menu->windowHandle(), QEvent::KeyPress, key.code, Qt::NoModifier, key.text, false, 1);
            qt_handleKeyEvent(menu->windowHandle(), QEvent::KeyRelease, key.code, Qt::NoModifier, key.text, false, 1);
        }
    }

    std::vector<Key> keys_;
    std::function<void(QWidget&)> whileOpen_;
    QTimer timer_;
    bool seen_ = false;
    QRect geometry_;
    int polls_ = 0;
};

// A move of the sheet that no release will end would hold the test in its
// loop for ever. A move that goes on while not allowed is ended and fails the
// test; one that was just told to end gets the few turns it needs to return.
class UnexpectedMoveGuard {
public:
    UnexpectedMoveGuard() {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (allowed || !SheetIsMoving()) {
                turns_ = 0;
                return;
            }
            if (++turns_ < 50) return;
            ADD_FAILURE() << "the sheet's move went on without a release to end it";
            Form1->CancelMode();
        });
        timer_.start();
    }
    bool allowed = false;

private:
    QTimer timer_;
    int turns_ = 0;
};

class Pointer {
public:
    // The platform moves the pointer and reports what lies under it.
    void MoveTo(QPoint global) {
        QCursor::setPos(global);
        // While a button it took a press for is down, a window system keeps
        // sending the moves to the sheet wherever the pointer is; the
        // offscreen platform has no such grab and drops them.
        if (held_ && !SheetWindow()->geometry().contains(global)) Send(QEvent::MouseMove, Qt::NoButton);
        ProcessEvents();
    }
    QPoint Position() const { return QCursor::pos(); }

    // Presses and releases go to the sheet: where the pointer is over it, or
    // where the window system keeps sending them to it while a button it
    // received a press for is held.
    //
    // A press meant for a hole, not for the black area.
    void Press(Qt::MouseButton button, bool secondOfDoubleClick = false) {
        UnexpectedMoveGuard guard;
        held_ |= button;
        Send(QEvent::MouseButtonPress, button, secondOfDoubleClick);
    }
    // A release; a menu that it opens without an answer armed is dismissed and
    // fails the test.
    void Release(Qt::MouseButton button) {
        std::unique_ptr<MenuAnswer> stray;
        if (MenuAnswer::Armed() == 0) stray = std::make_unique<MenuAnswer>(std::vector<Key>{kEscape});
        held_ &= ~Qt::MouseButtons(button);
        Send(QEvent::MouseButtonRelease, button);
        EXPECT_FALSE(stray && stray->Seen()) << "the release opened a menu";
    }
    Qt::MouseButtons Held() const { return held_; }

    // A press on the black area starts the sheet's move, which runs its own
    // loop until the release; so the release (after moving the pointer to
    // releaseAt) has to come from inside that loop. Returns whether the move
    // was running when the release came.
    bool PressOnSheetAndRelease(Qt::MouseButton button, QPoint releaseAt, bool secondOfDoubleClick = false) {
        UnexpectedMoveGuard guard;
        guard.allowed = true;
        bool moving = false;
        bool released = false;
        QTimer::singleShot(0, [&] {
            moving = SheetIsMoving();
            MoveTo(releaseAt);
            guard.allowed = false;
            Release(button);
            released = true;
        });
        held_ |= button;
        Send(QEvent::MouseButtonPress, button, secondOfDoubleClick);
        while (!released) QCoreApplication::processEvents();
        ProcessEvents();
        return moving;
    }
    bool ClickOnSheet(Qt::MouseButton button) { return PressOnSheetAndRelease(button, Position()); }

private:
    void Send(QEvent::Type type, Qt::MouseButton button, bool soonAfter = false) {
        QWindow* window = SheetWindow();
        const QPointF global = QCursor::pos();
        // Presses far apart in time, so that no two make a double click,
        // unless one is wanted.
        static int timestamp = 1000000;
        timestamp += type != QEvent::MouseButtonPress ? 1 : soonAfter ? 20 : 1000;
        qt_handleMouseEvent(window, global - QPointF(window->position()), global, held_, button, type, Qt::NoModifier,
                            timestamp);
        ProcessEvents();
    }

    Qt::MouseButtons held_;
};

struct ShownBox {
    std::string caption;
    std::string text;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

// The program as the entry routine builds it, with the sheet shown, placed
// wholly inside the desktop (the designed position overhangs the offscreen
// screen on the right, and every release on the black area would pull it
// back).
class StencilGui : public ::testing::Test {
protected:
    void SetUp() override {
        pointer.MoveTo(QPoint(0, 0));
        SetMessageBoxHook([this](const std::string& caption, const std::string& text) {
            boxes.push_back({caption, text});
        });
        application_ = std::make_unique<TApplication>();
        Application = application_.get();
        Application->MainFormOnTaskBar = true;
        Application->Title = "Veilix";
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Form1->Show();
        ProcessEvents();
        designedPlace = QPoint(Form1->Left(), Form1->Top());
        Form1->SetLeft(kSheetLeft);
        Form1->SetTop(kSheetTop);
        ProcessEvents();
    }

    void TearDown() override {
        // A test that failed halfway may leave a button down; its release must
        // not leave a menu open behind us.
        if (pointer.Held()) {
            MenuAnswer dismiss({kEscape});
            for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
                if (pointer.Held() & b) pointer.Release(b);
        }
        application_.reset();
        Application = nullptr;
        Form1 = nullptr;
        Form2 = nullptr;
        SetMessageBoxHook({});
        ProcessEvents();
    }

    // Right click on the black area and answer the menu with keys; whileOpen
    // runs inside the menu's loop, before them. Returns whether a menu opened.
    bool OpenMenu(std::vector<Key> keys, std::function<void(QWidget& menu)> whileOpen = {}) {
        MenuAnswer answer(std::move(keys), std::move(whileOpen));
        pointer.MoveTo(OnSheet(kMenuSpotX, kMenuSpotY));
        pointer.ClickOnSheet(Qt::RightButton);
        ProcessEvents();
        return answer.Seen();
    }
    bool ChooseFromMenu(std::vector<Key> keys) { return OpenMenu(std::move(keys)); }

    // Adds a hole by the menu and returns it (the last control of the sheet).
    TImage* AddHole(std::vector<Key> keys) {
        const std::size_t before = Form1->Controls().size();
        EXPECT_TRUE(ChooseFromMenu(std::move(keys)));
        EXPECT_EQ(Form1->Controls().size(), before + 1);
        if (Form1->Controls().size() != before + 1) return nullptr;
        return static_cast<TImage*>(Form1->Controls().back());
    }
    TImage* AddRectangle() { return AddHole({Letter('R')}); }
    TImage* AddCircle() { return AddHole({kDown, kDown, kReturn}); }
    TImage* AddEllipse() { return AddHole({Letter('E')}); }

    // A spot of plain black sheet, away from where holes appear.
    static constexpr int kMenuSpotX = 400;
    static constexpr int kMenuSpotY = 20;
    static constexpr int kSheetLeft = 50;
    static constexpr int kSheetTop = 60;

    Pointer pointer;
    std::vector<ShownBox> boxes;
    QPoint designedPlace;  // where the sheet opened

private:
    std::unique_ptr<TApplication> application_;
};

}  // namespace veilix::gui
