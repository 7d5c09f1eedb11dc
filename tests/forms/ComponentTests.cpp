#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Assert.h"
#include "forms/Component.h"

using namespace forms;

namespace {

// Records its own destruction and every notification it receives.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::vector<std::wstring>* log, std::wstring name) : TComponent(owner), log_(log)
    {
        SetName(name);
    }
    ~Probe() override
    {
        if (log_)
            log_->push_back(L"free " + Name());
    }
    std::vector<std::pair<TComponent*, TOperation>> notices;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        notices.emplace_back(component, operation);
    }

private:
    std::vector<std::wstring>* log_;
};

// A persistent with its own AssignTo that accepts only its own class.
class Settings : public TPersistent {
public:
    int value = 0;

protected:
    void AssignTo(TPersistent* dest) override { As<Settings>(dest)->value = value; }
};

class OtherSettings : public TPersistent {
public:
    int value = 7;
};

}  // namespace

TEST(Component, OwnerFreesWhatItStillOwnsLastFirst)
{
    std::vector<std::wstring> log;
    auto* owner = new Probe(nullptr, &log, L"owner");
    new Probe(owner, &log, L"a");
    auto* b = new Probe(owner, &log, L"b");
    new Probe(owner, &log, L"c");
    new Probe(b, &log, L"b1");
    ASSERT_EQ(owner->ComponentCount(), 3);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->Owner(), owner);

    delete owner;
    const std::vector<std::wstring> expected{L"free owner", L"free c", L"free b", L"free b1", L"free a"};
    EXPECT_EQ(log, expected);
}

TEST(Component, FreedComponentLeavesItsOwnerWhichIsTold)
{
    std::vector<std::wstring> log;
    Probe owner(nullptr, nullptr, L"owner");
    auto* a = new Probe(&owner, &log, L"a");
    auto* b = new Probe(&owner, &log, L"b");
    ASSERT_EQ(owner.notices.size(), 2u);
    EXPECT_EQ(owner.notices[1].second, opInsert);

    delete a;
    ASSERT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_EQ(owner.notices.back().first, a);
    EXPECT_EQ(owner.notices.back().second, opRemove);
    EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST(Component, InsertComponentMovesBetweenOwners)
{
    Probe first(nullptr, nullptr, L"first");
    Probe second(nullptr, nullptr, L"second");
    auto* child = new Probe(&first, nullptr, L"child");
    second.InsertComponent(child);
    EXPECT_EQ(first.ComponentCount(), 0);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(child->Owner(), &second);
    second.RemoveComponent(child);
    EXPECT_EQ(child->Owner(), nullptr);
    delete child;
}

TEST(Component, FreeNotificationTellsTheOtherSideOnce)
{
    Probe owner(nullptr, nullptr, L"owner");
    auto* watcher = new Probe(nullptr, nullptr, L"watcher");
    auto* image = new Probe(&owner, nullptr, L"image");
    watcher->FreeNotification(image);
    watcher->FreeNotification(image);  // registering twice still tells once
    delete image;
    ASSERT_EQ(watcher->notices.size(), 1u);
    EXPECT_EQ(watcher->notices[0].first, image);
    EXPECT_EQ(watcher->notices[0].second, opRemove);
    // The link is gone both ways: freeing the watcher now touches nothing freed.
    delete watcher;
}

TEST(Component, OwnedComponentsGoWhileTheOwnerIsMarkedDestroying)
{
    struct Child : TComponent {
        Child(TComponent* owner, TComponentState* seen, TComponent** ownerSeen)
            : TComponent(owner), savedOwner(owner), seen(seen), ownerSeen(ownerSeen) {}
        ~Child() override
        {
            *seen = savedOwner->ComponentState();
            *ownerSeen = Owner();
        }
        TComponent* savedOwner;
        TComponentState* seen;
        TComponent** ownerSeen;
    };
    TComponentState seen = 0;
    TComponent* ownerSeen = reinterpret_cast<TComponent*>(1);
    auto* owner = new TComponent(nullptr);
    EXPECT_EQ(owner->ComponentState() & csDestroying, 0u);
    new Child(owner, &seen, &ownerSeen);
    delete owner;
    EXPECT_NE(seen & csDestroying, 0u);
    EXPECT_EQ(ownerSeen, nullptr);  // taken out of the list before it is freed
}

TEST(Persistent, AssignRunsTheSourcesAssignTo)
{
    Settings source;
    source.value = 42;
    Settings dest;
    dest.Assign(&source);
    EXPECT_EQ(dest.value, 42);
}

TEST(Persistent, AssignToAnotherClassFailsWithInvalidCastAndCopiesNothing)
{
    Settings source;
    source.value = 42;
    OtherSettings dest;
    EXPECT_THROW(dest.Assign(&source), EInvalidCast);
    EXPECT_EQ(dest.value, 7);
}

TEST(Persistent, AssignBetweenUnrelatedPlainClassesIsAConvertError)
{
    OtherSettings source;
    OtherSettings dest;
    try {
        dest.Assign(&source);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"Cannot assign a OtherSettings to a OtherSettings");
    }
    EXPECT_THROW(dest.Assign(nullptr), EConvertError);
}

TEST(Persistent, CheckedCastMessages)
{
    Settings settings;
    TPersistent* p = &settings;
    EXPECT_EQ(As<Settings>(p), &settings);
    EXPECT_EQ(As<Settings>(static_cast<TPersistent*>(nullptr)), nullptr);
    try {
        As<OtherSettings>(p);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"Invalid class typecast");
        EXPECT_STREQ(e.what(), "Invalid class typecast");
    }
}

TEST(Assertion, FailedCheckReportsItsTextThroughTheHandler)
{
    struct Stop {
        std::string text;
        int line;
    };
    auto previous = SetAssertHandler([](const AssertionFailure& f) { throw Stop{f.Expression, f.Line}; });
    const int value = 3;
    try {
        FORMS_ASSERT(value == 4);
        ADD_FAILURE() << "check passed";
    } catch (const Stop& stop) {
        EXPECT_EQ(stop.text, "value == 4");
        EXPECT_GT(stop.line, 0);
    }
    FORMS_ASSERT(value == 3);  // a passing check does nothing
    SetAssertHandler(std::move(previous));
}

TEST(AssertionDeathTest, FailedCheckEndsTheProcessEvenWhenTheHandlerReturns)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetAssertHandler([](const AssertionFailure&) {});
            FORMS_ASSERT(1 + 1 == 3);
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EXIT(FORMS_ASSERT(sizeof(int) == 1), testing::ExitedWithCode(3), "Assertion failed: sizeof\\(int\\) == 1");
}
