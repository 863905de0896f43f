#include "app/application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "platform/system/show_command.h"
#include "stencil/stencil_form.h"
#include "support/qt_application.h"

namespace veilix {
namespace {

std::vector<std::string> events;

// A window that reports what it sees of its own global reference and logs
// when its destroy handler runs.
template <int N>
class ProbeForm : public TForm {
public:
    static inline ProbeForm* Reference = nullptr;
    static inline bool SawItselfDuringConstruction = false;
    static inline bool FailConstruction = false;

    explicit ProbeForm(TComponent* owner) : TForm(owner) {
        SawItselfDuringConstruction = Reference == this;
        if (FailConstruction) throw Exception("no window resources");
        OnDestroy = TNotifyEvent(this, &ProbeForm::LogDestroy);
    }
    void LogDestroy(TComponent*) {
        events.push_back("destroy " + std::to_string(N) + (Visible() ? " shown" : " hidden"));
    }
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureQtApplication();
        events.clear();
        ProbeForm<1>::FailConstruction = ProbeForm<2>::FailConstruction = false;
    }
};

TEST_F(ApplicationTest, CreateFormSetsTheReferenceBeforeConstructionAndTheFirstBecomesMain) {
    TApplication application;
    application.CreateForm(ProbeForm<1>::Reference);
    application.CreateForm(ProbeForm<2>::Reference);
    EXPECT_TRUE(ProbeForm<1>::SawItselfDuringConstruction);
    EXPECT_TRUE(ProbeForm<2>::SawItselfDuringConstruction);
    EXPECT_EQ(application.MainForm(), ProbeForm<1>::Reference);
    ASSERT_EQ(application.ComponentCount(), 2);
    EXPECT_EQ(application.Components()[1], ProbeForm<2>::Reference);
}

TEST_F(ApplicationTest, FailedConstructionResetsTheReferenceAndReachesTheCaller) {
    TApplication application;
    ProbeForm<1>::FailConstruction = true;
    ProbeForm<1>::Reference = nullptr;
    EXPECT_THROW(application.CreateForm(ProbeForm<1>::Reference), Exception);
    EXPECT_EQ(ProbeForm<1>::Reference, nullptr);
    EXPECT_EQ(application.ComponentCount(), 0);
    EXPECT_EQ(application.MainForm(), nullptr);
}

TEST_F(ApplicationTest, ShutdownDestroysTheLastCreatedFirstAndHidesBeforeTheDestroyHandler) {
    {
        TApplication application;
        application.CreateForm(ProbeForm<1>::Reference);
        application.CreateForm(ProbeForm<2>::Reference);
        ProbeForm<1>::Reference->Show();
    }
    EXPECT_EQ(events, (std::vector<std::string>{"destroy 2 hidden", "destroy 1 hidden"}));
}

TEST_F(ApplicationTest, StencilWindowFreesItsPointRecordsWhenDestroyed) {
    TApplication application;
    application.CreateForm(Form1);
    ASSERT_NE(Form1->Drag().CursorNow, nullptr);
    ASSERT_NE(Form1->Drag().CursorAtPress, nullptr);
    Form1->FormDestroy(Form1);
    EXPECT_EQ(Form1->Drag().CursorNow, nullptr);
    EXPECT_EQ(Form1->Drag().CursorAtPress, nullptr);
}

TEST(ShowCommand, OnlyMaximisedAndMinimisedChangeTheStart) {
    EXPECT_EQ(StartupShowCommand(), SW_SHOWNORMAL);
    EXPECT_EQ(StartStateForShowCommand(SW_SHOWMAXIMIZED), TStartState::ssMaximized);
    EXPECT_EQ(StartStateForShowCommand(SW_SHOWMINNOACTIVE), TStartState::ssMinimized);
    for (int other : {0, 1, 2, 4, 5, 6, 8, 9, 10, 11})
        EXPECT_EQ(StartStateForShowCommand(other), TStartState::ssNormal) << other;
}

}  // namespace
}  // namespace veilix
