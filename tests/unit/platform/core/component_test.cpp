#include "platform/core/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/events.h"

namespace veilix {
namespace {

std::vector<std::string> destroyed;

class Named : public TComponent {
public:
    Named(TComponent* owner, std::string name) : TComponent(owner) { Name = std::move(name); }
    ~Named() override { destroyed.push_back(Name); }
};

TEST(Component, OwnerDestroysWhatItOwnsLastCreatedFirst) {
    destroyed.clear();
    {
        Named owner(nullptr, "owner");
        new Named(&owner, "a");
        auto* b = new Named(&owner, "b");
        new Named(b, "b.child");
        new Named(&owner, "c");
    }
    // The owner's own destructor body runs first; its base then frees the owned.
    EXPECT_EQ(destroyed, (std::vector<std::string>{"owner", "c", "b", "b.child", "a"}));
}

TEST(Component, FreeingOneRemovesItFromItsOwnerAndTellsTheOthers) {
    struct Watcher : TComponent {
        using TComponent::TComponent;
        TComponent* removed = nullptr;
        void Notification(TComponent* c, TOperation op) override {
            if (op == TOperation::opRemove) removed = c;
        }
    };
    TComponent owner(nullptr);
    auto* watcher = new Watcher(&owner);
    auto* gone = new TComponent(&owner);
    FreeComponent(gone);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(watcher->removed, gone);
}

struct Target {
    int hits = 0;
    void Handle(TComponent*) { ++hits; }
    void Other(TComponent*) {}
};

TEST(Method, HandlersCompareByObjectAndMember) {
    Target a, b;
    const TNotifyEvent handler(&a, &Target::Handle);
    EXPECT_EQ(handler, TNotifyEvent(&a, &Target::Handle));
    EXPECT_FALSE(handler == TNotifyEvent(&b, &Target::Handle));
    EXPECT_FALSE(handler == TNotifyEvent(&a, &Target::Other));
    EXPECT_FALSE(handler == TNotifyEvent());
    handler(nullptr);
    EXPECT_EQ(a.hits, 1);
    TNotifyEvent empty;
    empty(nullptr);  // an unbound event does nothing
    EXPECT_FALSE(bool(empty));
}

}  // namespace
}  // namespace veilix
