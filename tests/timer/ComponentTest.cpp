// The component base: what an owner releases, in which order, and what a
// component destroyed early leaves behind.
#include "platform/Component.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class Logged : public platform::TComponent {
public:
    Logged(platform::TComponent* owner, std::string name, std::vector<std::string>& log)
        : platform::TComponent(owner), log_(log) {
        SetName(std::move(name));
    }
    ~Logged() override { log_.push_back(Name()); }

private:
    std::vector<std::string>& log_;
};

TEST(TComponent, OwnerReleasesOwnedNewestFirst) {
    std::vector<std::string> log;
    {
        Logged owner(nullptr, "owner", log);
        auto* first = new Logged(&owner, "first", log);
        new Logged(&owner, "second", log);
        new Logged(first, "grandchild", log);
        EXPECT_EQ(first->Owner(), &owner);
        EXPECT_EQ(first->Name(), "first");
    }
    const std::vector<std::string> expected{"owner", "second", "first", "grandchild"};
    EXPECT_EQ(log, expected);
}

TEST(TComponent, ComponentDestroyedEarlyLeavesItsOwner) {
    std::vector<std::string> log;
    {
        Logged owner(nullptr, "owner", log);
        new Logged(&owner, "first", log);
        auto* middle = new Logged(&owner, "middle", log);
        new Logged(&owner, "last", log);
        delete middle;
        EXPECT_EQ(log, std::vector<std::string>{"middle"});
    }
    // Deleted once only (a sanitizer build catches a second delete).
    const std::vector<std::string> expected{"middle", "owner", "last", "first"};
    EXPECT_EQ(log, expected);
}

} // namespace
