// The painters' shared manager: registration, the serving painter and its
// successor, the forms waiting to be styled, and its hook on the
// application's hidden window.
#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "platform/core/exception.h"
#include "platform/core/failure_boundary.h"
#include "platform/forms/screen_forms.h"
#include "support/flat_menu_fixture.h"

namespace veilix {
namespace {

using testing::AddItem;
using testing::PainterDraw;

class FlatMenuManagerTest : public testing::FlatMenuFixture {
protected:
    void SetUp() override {
        FlatMenuFixture::SetUp();
        QCoreApplication::sendPostedEvents();
        auto& delegates = FlatMenuManagerDelegates();
        delegates.FrameRequest = [this](const TMessage& m) { frameRequests_.push_back(m.Msg); };
        delegates.PassControlRecords = [this](TFlatMenu& from, TFlatMenu& to, TForm* leaving) {
            passed_.push_back({&from, &to, leaving});
        };
        delegates.RestoreControls = [this](TComponent* container) { restored_.push_back(container); };
    }
    void TearDown() override {
        SetMainForm(nullptr);
        FlatMenuManagerDelegates() = {};
        FlatMenuFixture::TearDown();
        QCoreApplication::sendPostedEvents();
    }

    // A form with a painter built the stored way: properties, then Loaded.
    TFlatMenu* FormWithPainter(bool active, bool disableSubclassing = false) {
        testing::LoadingForm& form = NewForm();
        form.BeginLoading();
        auto* painter = new TFlatMenu(&form);
        painter->SetActive(active);
        painter->SetDisableSubclassing(disableSubclassing);
        form.EndLoading();
        return painter;
    }
    // A plain form with a popup menu of one item.
    TMenuItem* FormWithMenu(TForm*& form) {
        form = &NewForm();
        auto* popup = new TPopupMenu(form);
        return AddItem(form, *popup, "Item");
    }
    static TFlatMenuManager& Manager() { return *FlatMenuManager(); }
    static void Deliver() { QCoreApplication::sendPostedEvents(); }
    // Any message lets the hook style what waits.
    static void DeliverAMessage() {
        PostMessage(ApplicationHandle(), 0x0400, 0, 0);
        Deliver();
    }

    struct Passed {
        TFlatMenu* from;
        TFlatMenu* to;
        TForm* leaving;
        friend bool operator==(const Passed&, const Passed&) = default;
    };
    std::vector<unsigned> frameRequests_;
    std::vector<Passed> passed_;
    std::vector<TComponent*> restored_;
};

TEST_F(FlatMenuManagerTest, TheFirstActiveSubclassingPainterServesOnceLoaded) {
    TFlatMenu* inactive = FormWithPainter(false);
    TFlatMenu* disabling = FormWithPainter(true, true);
    ASSERT_NE(FlatMenuManager(), nullptr);
    EXPECT_EQ(Manager().ServingPainter(), nullptr);
    TFlatMenu* first = FormWithPainter(true);
    TFlatMenu* second = FormWithPainter(true);
    EXPECT_EQ(Manager().ServingPainter(), first);
    EXPECT_EQ(Manager().Painters(), (std::vector<TFlatMenu*>{inactive, disabling, first, second}));
    // The stored refusal, read while nobody served, handed the role on to
    // nobody, which forgets the windows done so far.
    const std::vector<TForm*> owners{disabling->OwnerForm(), first->OwnerForm(), second->OwnerForm()};
    EXPECT_EQ(Manager().DoneContainers(), owners);
}

TEST_F(FlatMenuManagerTest, APainterServesOnlyFromLoadedOn) {
    testing::LoadingForm& form = NewForm();
    form.BeginLoading();
    auto* painter = new TFlatMenu(&form);
    EXPECT_TRUE(painter->ComponentState() & csLoading) << "made while its form loads";
    painter->SetActive(true);
    EXPECT_TRUE(Manager().Painters().empty());
    form.EndLoading();
    EXPECT_FALSE(painter->ComponentState() & csLoading);
    EXPECT_EQ(Manager().ServingPainter(), painter);
}

TEST_F(FlatMenuManagerTest, TheSuccessorIsTheFirstEligiblePainterButTheExcludedOne) {
    TFlatMenu* a = FormWithPainter(false);
    TFlatMenu* b = FormWithPainter(true, true);
    TFlatMenu* c = FormWithPainter(true);
    TFlatMenu* d = FormWithPainter(true);
    EXPECT_EQ(Manager().FindSuccessor(nullptr), c);
    EXPECT_EQ(Manager().FindSuccessor(a), c);
    EXPECT_EQ(Manager().FindSuccessor(c), d);
    d->SetActive(false);
    EXPECT_EQ(Manager().FindSuccessor(c), nullptr);
    (void)b;
}

TEST_F(FlatMenuManagerTest, TheServingRoleIsHandedOnWhenTheServingPainterGoes) {
    TFlatMenu* first = FormWithPainter(true);
    TFlatMenu* second = FormWithPainter(true);
    TFlatMenu* third = FormWithPainter(true);
    TForm* firstForm = first->OwnerForm();
    FreeForm(*firstForm);
    EXPECT_EQ(Manager().ServingPainter(), second);
    EXPECT_EQ(passed_, (std::vector<Passed>{{first, second, firstForm}}));
    EXPECT_EQ(Manager().Painters(), (std::vector<TFlatMenu*>{second, third}));

    FreeForm(*third->OwnerForm());
    EXPECT_EQ(Manager().ServingPainter(), second) << "a painter that does not serve hands nothing on";
    EXPECT_EQ(passed_.size(), 1u);
}

TEST_F(FlatMenuManagerTest, WithoutSuccessorNobodyServesAndNothingWaits) {
    TFlatMenu* serving = FormWithPainter(true);
    FormWithPainter(false);
    TForm* other = nullptr;
    FormWithMenu(other);
    Manager().ScanForms();
    ASSERT_FALSE(Manager().PendingForms().empty());
    Manager().HandOver(serving);
    EXPECT_EQ(Manager().ServingPainter(), nullptr);
    EXPECT_TRUE(Manager().PendingForms().empty());
    EXPECT_TRUE(Manager().DoneContainers().empty());
    EXPECT_TRUE(restored_.empty()) << "no main form: nothing is restored";
}

TEST_F(FlatMenuManagerTest, WithAMainFormTheControlsOfEveryOtherDoneWindowAreRestored) {
    TFlatMenu* serving = FormWithPainter(true);
    TFlatMenu* idle = FormWithPainter(false);
    TForm* other = nullptr;
    FormWithMenu(other);
    Manager().ScanForms();
    DeliverAMessage();  // styles the other form
    ASSERT_EQ(Manager().DoneContainers(), (std::vector<TForm*>{serving->OwnerForm(), idle->OwnerForm(), other}));
    SetMainForm(serving->OwnerForm());
    Manager().HandOver(serving);
    EXPECT_EQ(restored_, (std::vector<TComponent*>{idle->OwnerForm(), other}));
    EXPECT_TRUE(Manager().DoneContainers().empty());
}

TEST_F(FlatMenuManagerTest, ScanFormsQueuesTheFormsNobodyStylesYet) {
    TForm* plain = nullptr;
    FormWithMenu(plain);
    TForm& excluded = NewForm();
    excluded.Tag = kExcludeTag;
    TFlatMenu* idle = FormWithPainter(false);  // owns a painter
    TForm& withOwnInactive = NewForm();
    new TFlatMenu(&withOwnInactive);  // owns one, never loaded
    TFlatMenu* serving = FormWithPainter(true);
    EXPECT_EQ(Manager().ServingPainter(), serving);
    EXPECT_EQ(Manager().PendingForms(), (std::vector<TForm*>{plain}));
    Manager().ScanForms();
    EXPECT_EQ(Manager().PendingForms(), (std::vector<TForm*>{plain})) << "queued once";
    (void)idle;
}

TEST_F(FlatMenuManagerTest, FormsComingAndGoingAreNotedWhileAPainterServes) {
    TForm* early = nullptr;
    FormWithMenu(early);
    TFlatMenu* idle = FormWithPainter(false);
    Manager().FormNotified(early, TOperation::opRemove);
    Manager().FormNotified(&NewForm(), TOperation::opInsert);
    EXPECT_TRUE(Manager().PendingForms().empty()) << "nobody serves";

    idle->SetActive(true);
    Manager().HandOver(nullptr);
    ASSERT_EQ(Manager().ServingPainter(), idle);
    const std::size_t queued = Manager().PendingForms().size();
    TForm* late = &NewForm();
    EXPECT_EQ(Manager().PendingForms().size(), queued + 1) << "a new form is queued";
    EXPECT_EQ(Manager().PendingForms().back(), late);
    Manager().FormNotified(late, TOperation::opInsert);
    EXPECT_EQ(Manager().PendingForms().size(), queued + 1) << "only once";
    TComponent notAForm(nullptr);
    Manager().FormNotified(&notAForm, TOperation::opInsert);
    EXPECT_EQ(Manager().PendingForms().size(), queued + 1);

    Manager().FormNotified(late, TOperation::opRemove);
    EXPECT_EQ(std::ranges::count(Manager().PendingForms(), late), 0);
    Manager().FormNotified(idle->OwnerForm(), TOperation::opRemove);
    EXPECT_EQ(std::ranges::count(Manager().DoneContainers(), idle->OwnerForm()), 0);

    // A destroyed form leaves every list, whoever serves.
    TForm* doomed = &NewForm();
    DeliverAMessage();  // styled: now among the done containers
    ASSERT_EQ(std::ranges::count(Manager().DoneContainers(), doomed), 1);
    FreeForm(*doomed);
    EXPECT_EQ(std::ranges::count(Manager().DoneContainers(), doomed), 0);
    EXPECT_EQ(std::ranges::count(Manager().PendingForms(), doomed), 0);
}

TEST_F(FlatMenuManagerTest, TheHookStylesThePendingFormsOnTheNextMessageAndHandlesNothing) {
    TForm* other = nullptr;
    TMenuItem* item = FormWithMenu(other);
    TFlatMenu* serving = FormWithPainter(true);
    ASSERT_EQ(Manager().PendingForms(), (std::vector<TForm*>{other}));
    EXPECT_FALSE(item->OnDrawItem) << "nothing before a message arrives";

    struct Later {
        int seen = 0;
        void See(TMessage&, bool&) { ++seen; }
    } later;
    const TWindowHook laterHook(&later, &Later::See);
    HookMainWindow(laterHook);
    PostMessage(ApplicationHandle(), MsgFrameByWindow, 0, 42);
    PostMessage(ApplicationHandle(), 0x0400, 0, 0);
    Deliver();
    UnhookMainWindow(laterHook);

    EXPECT_EQ(item->OnDrawItem, PainterDraw(*serving));
    EXPECT_TRUE(Manager().PendingForms().empty());
    EXPECT_EQ(std::ranges::count(Manager().DoneContainers(), other), 1);
    EXPECT_EQ(frameRequests_, (std::vector<unsigned>{MsgFrameByWindow})) << "frame requests only";
    EXPECT_EQ(later.seen, 2) << "the hook never handles a message";
}

TEST_F(FlatMenuManagerTest, AFailureWhileStylingIsSwallowed) {
    std::vector<std::string> failures;
    SetFailureHandler([&](std::exception_ptr, TComponent*) { failures.push_back("failure"); });
    struct Throwing {
        void Throw(TComponent*) { throw Exception("broken bar"); }
    } throwing;
    TForm& broken = NewForm();
    auto* bar = new TControlBar(&broken);
    bar->OnRepaintRequest = TNotifyEvent(&throwing, &Throwing::Throw);
    TForm* fine = nullptr;
    FormWithMenu(fine);
    FormWithPainter(true);
    ASSERT_EQ(Manager().PendingForms().size(), 2u);

    PostMessage(ApplicationHandle(), 0x0400, 0, 0);
    Deliver();
    SetFailureHandler(nullptr);
    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(Manager().PendingForms().empty());
    EXPECT_EQ(std::ranges::count(Manager().DoneContainers(), &broken), 1);
}

// Refusing the role hands it on; taking subclassing up again waits for the
// next hand-over, even while nobody serves.
TEST_F(FlatMenuManagerTest, DisablingSubclassingHandsTheRoleOnAndEnablingWaitsForTheNext) {
    TFlatMenu* first = FormWithPainter(true);
    TFlatMenu* second = FormWithPainter(true);
    first->SetDisableSubclassing(true);
    EXPECT_TRUE(first->DisableSubclassing());
    EXPECT_EQ(Manager().ServingPainter(), second);
    second->SetDisableSubclassing(true);
    EXPECT_EQ(Manager().ServingPainter(), nullptr) << "nobody left to take it";

    first->SetDisableSubclassing(false);
    second->SetDisableSubclassing(false);
    EXPECT_FALSE(first->DisableSubclassing());
    EXPECT_FALSE(second->DisableSubclassing());
    EXPECT_EQ(Manager().ServingPainter(), nullptr) << "enabling hands nothing on";

    // Refused while nobody serves: the role goes to another painter, never
    // to the one that refuses it.
    first->SetDisableSubclassing(true);
    EXPECT_EQ(Manager().ServingPainter(), second);
    first->SetDisableSubclassing(false);
    EXPECT_EQ(Manager().ServingPainter(), second) << "somebody serves already";
}

TEST_F(FlatMenuManagerTest, TheLastPainterToGoTakesTheManagerAndItsHookWithIt) {
    TFlatMenu* painter = FormWithPainter(true);
    FreeForm(*painter->OwnerForm());
    EXPECT_EQ(FlatMenuManager(), nullptr);
    PostMessage(ApplicationHandle(), MsgFrameByWindow, 0, 42);
    Deliver();
    EXPECT_TRUE(frameRequests_.empty());
}

}  // namespace
}  // namespace veilix
