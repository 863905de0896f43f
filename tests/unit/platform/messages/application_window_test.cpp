// The application's hidden window: posted messages wait in order, are looked
// at without being taken, and reach the hooks in hook order from the loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCoreApplication>

#include "platform/messages/hidden_window.h"
#include "support/qt_application.h"

namespace veilix {
namespace {

struct Seen {
    std::string hook;
    unsigned msg;
    std::uintptr_t wparam;
    std::intptr_t lparam;
};

// A hook that writes down what it sees and can be told to handle a message or
// to unhook another hook when it runs.
class RecordingHook {
public:
    RecordingHook(std::string name, std::vector<Seen>& log) : name_(std::move(name)), log_(log) {}

    TWindowHook Method() { return TWindowHook(this, &RecordingHook::See); }
    void See(TMessage& message, bool& handled) {
        log_.push_back({name_, message.Msg, message.WParam, message.LParam});
        if (message.Msg == handles) handled = true;
        if (unhookOnRun) UnhookMainWindow(*unhookOnRun);
    }

    unsigned handles = 0;
    const TWindowHook* unhookOnRun = nullptr;

private:
    std::string name_;
    std::vector<Seen>& log_;
};

class ApplicationWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApplication();
        QCoreApplication::sendPostedEvents();
    }
    void TearDown() override {
        for (const TWindowHook& hook : hooked_) UnhookMainWindow(hook);
        QCoreApplication::sendPostedEvents();
    }
    void Hook(RecordingHook& hook) {
        hooked_.push_back(hook.Method());
        HookMainWindow(hooked_.back());
    }
    static void Deliver() { QCoreApplication::sendPostedEvents(); }

    std::vector<Seen> log_;
    std::vector<TWindowHook> hooked_;
};

TEST_F(ApplicationWindowTest, PostedMessagesReachEveryHookInOrderOnlyFromTheLoop) {
    RecordingHook first("first", log_), second("second", log_);
    Hook(first);
    Hook(second);
    const TWindowHandle app = ApplicationHandle();
    ASSERT_NE(app, 0u);
    EXPECT_TRUE(PostMessage(app, 0xBCB4, 1, 77));
    EXPECT_TRUE(PostMessage(app, 0x0400, 0, -5));
    EXPECT_TRUE(log_.empty()) << "delivered before the loop ran";
    Deliver();
    ASSERT_EQ(log_.size(), 4u);
    const char* order[] = {"first", "second", "first", "second"};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(log_[i].hook, order[i]) << i;
    EXPECT_EQ(log_[0].msg, 0xBCB4u);
    EXPECT_EQ(log_[0].wparam, 1u);
    EXPECT_EQ(log_[0].lparam, 77);
    EXPECT_EQ(log_[2].msg, 0x0400u);
    EXPECT_EQ(log_[2].lparam, -5);
}

TEST_F(ApplicationWindowTest, QueuedLookLeavesTheMessageWaiting) {
    const TWindowHandle app = ApplicationHandle();
    EXPECT_FALSE(IsMessageQueued(app, 0xBCB3, 0xBCB4));
    PostMessage(app, 0x0400, 0, 0);
    EXPECT_FALSE(IsMessageQueued(app, 0xBCB3, 0xBCB4)) << "outside the range";
    PostMessage(app, 0xBCB4, 0, 0);
    EXPECT_TRUE(IsMessageQueued(app, 0xBCB3, 0xBCB4));
    EXPECT_TRUE(IsMessageQueued(app, 0xBCB3, 0xBCB4)) << "looking took it away";
    EXPECT_TRUE(IsMessageQueued(app, 0xBCB4, 0xBCB4));
    EXPECT_FALSE(IsMessageQueued(app, 0xBCB3, 0xBCB3));
    Deliver();
    EXPECT_FALSE(IsMessageQueued(app, 0xBCB3, 0xBCB4));
}

TEST_F(ApplicationWindowTest, OnlyTheHiddenWindowTakesMessages) {
    RecordingHook hook("hook", log_);
    Hook(hook);
    const TWindowHandle app = ApplicationHandle();
    EXPECT_FALSE(PostMessage(0, 0xBCB4, 0, 0));
    EXPECT_FALSE(PostMessage(app + 8, 0xBCB4, 0, 0));
    EXPECT_FALSE(IsMessageQueued(app + 8, 0, ~0u));
    Deliver();
    EXPECT_TRUE(log_.empty());
}

TEST_F(ApplicationWindowTest, AHandledMessageGoesNoFurther) {
    RecordingHook first("first", log_), second("second", log_);
    first.handles = 0x0401;
    Hook(first);
    Hook(second);
    PostMessage(ApplicationHandle(), 0x0401, 0, 0);
    PostMessage(ApplicationHandle(), 0x0402, 0, 0);
    Deliver();
    ASSERT_EQ(log_.size(), 3u);
    EXPECT_EQ(log_[0].hook, "first");
    EXPECT_EQ(log_[1].hook, "first");
    EXPECT_EQ(log_[1].msg, 0x0402u);
    EXPECT_EQ(log_[2].hook, "second");
}

TEST_F(ApplicationWindowTest, UnhookingWhileDeliveringIsSafe) {
    RecordingHook first("first", log_), second("second", log_), third("third", log_);
    Hook(first);
    Hook(second);
    Hook(third);
    const TWindowHook secondMethod = second.Method();
    const TWindowHook firstMethod = first.Method();
    first.unhookOnRun = &secondMethod;  // a later hook goes: it is not called
    third.unhookOnRun = &firstMethod;   // an earlier one goes itself
    PostMessage(ApplicationHandle(), 0x0400, 0, 0);
    PostMessage(ApplicationHandle(), 0x0400, 0, 0);
    Deliver();
    std::vector<std::string> hooks;
    for (const Seen& seen : log_) hooks.push_back(seen.hook);
    EXPECT_EQ(hooks, (std::vector<std::string>{"first", "third", "third"}));
}

}  // namespace
}  // namespace veilix
