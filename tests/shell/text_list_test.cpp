#include "text_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "entry_texts.h"
#include "failure_points.h"

namespace {

// The test saver's state of an entry, counting the live ones.
struct TestState : EntryState {
    int32_t Speed = 0;
    int32_t Serial = 0;
    TestState() { ++Live; }
    ~TestState() override { --Live; }
    static int Live;
};
int TestState::Live = 0;

// What the hooks saw; one test at a time.
int Built = 0;

bool BuildTestState(TextEntry& entry, int32_t speed)
{
    std::unique_ptr<TestState> s(NewOrNull<TestState>());
    if (!s) return false;
    s->Speed = speed;
    s->Serial = ++Built;
    entry.State = std::move(s);
    return true;
}

const EntryHooks TestHooks = {BuildTestState};

const TestState& StateOf(const TextEntry& e) { return static_cast<const TestState&>(*e.State); }

TextChar* MakeText(TextList& list, const std::u16string& s)
{
    TextChar* text = list.AllocateText(static_cast<int32_t>(s.size()));
    if (!text) return nullptr;
    std::memcpy(text, s.c_str(), (s.size() + 1) * sizeof(TextChar));
    return text;
}

bool Append(TextList& list, const std::u16string& s, int32_t speed)
{
    return list.Append(MakeText(list, s), static_cast<int32_t>(s.size()), speed, TestHooks);
}

using Texts = std::vector<std::u16string>;

class TextListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Built = 0;
        ClearFailurePlan();
    }
    void TearDown() override
    {
        ClearFailurePlan();
        list.Release();
        EXPECT_EQ(TestState::Live, 0);
    }
    TextList list;
};

TEST_F(TextListTest, AppendsInOrderAndBuildsEachState)
{
    for (const char16_t* s : {u"one", u"\u5149\u9670", u"x"}) ASSERT_TRUE(Append(list, s, 4));
    EXPECT_EQ(EntryTexts(list), (Texts{u"one", u"\u5149\u9670", u"x"}));
    EXPECT_EQ(list.EntryCount, 3);
    EXPECT_EQ(list.Tail->Next, nullptr);
    int serial = 0;
    for (const TextEntry* e = list.Head.get(); e; e = e->Next.get()) {
        EXPECT_EQ(StateOf(*e).Speed, 4);
        EXPECT_EQ(StateOf(*e).Serial, ++serial);
    }
}

TEST_F(TextListTest, AnEmptyTextAddsNothing)
{
    EXPECT_FALSE(list.Append(MakeText(list, u""), 0, 3, TestHooks));
    EXPECT_EQ(list.EntryCount, 0);
    EXPECT_EQ(list.Head, nullptr);
    EXPECT_EQ(Built, 0);
}

// Memory running out at any allocation of an entry (its text, the entry,
// the saver's state) leaves the list as it was and loses nothing.
TEST_F(TextListTest, AFailedAllocationLeavesTheListUnchanged)
{
    ASSERT_TRUE(Append(list, u"kept", 2));
    for (int failing = 1; failing <= 3; ++failing) {
        PlanFailure(FailurePoint::Memory, failing, true);
        EXPECT_FALSE(Append(list, u"lost", 2)) << failing;
        EXPECT_EQ(list.EntryCount, 1);
        EXPECT_EQ(list.Head.get(), list.Tail);
        EXPECT_EQ(list.Head->Next, nullptr);
    }
    ClearFailurePlan();
    ASSERT_TRUE(Append(list, u"after", 2));
    EXPECT_EQ(EntryTexts(list), (Texts{u"kept", u"after"}));
}

// A list far longer than any stored one goes without a call per entry.
TEST_F(TextListTest, ReleaseFreesEveryEntryAndKeepsTheCount)
{
    for (int i = 0; i < 200000; ++i) ASSERT_TRUE(Append(list, u"abc", 1));
    list.Release();
    EXPECT_EQ(TestState::Live, 0);
    EXPECT_EQ(list.Head, nullptr);
    EXPECT_EQ(list.Tail, nullptr);
    EXPECT_EQ(list.EntryCount, 200000);
    // A released list takes new entries from the start.
    ASSERT_TRUE(Append(list, u"new", 1));
    EXPECT_EQ(list.Head.get(), list.Tail);
    EXPECT_EQ(list.EntryCount, 200001);
    // Loading starts over.
    list.Reset();
    EXPECT_EQ(list.EntryCount, 0);
    EXPECT_EQ(list.Head, nullptr);
}

// A run's list: a copy of every stored text, in order, each with its own
// state built with the run's speed; the stored list keeps its texts. A text
// that cannot be copied is left out and the rest still come.
TEST_F(TextListTest, AppendCopiesCopiesEveryTextWithAStateOfItsOwn)
{
    TextList stored;
    for (const char16_t* s : {u"one", u"two", u"three"})
        ASSERT_TRUE(stored.Append(MakeText(stored, s), static_cast<int32_t>(std::u16string(s).size()), 0,
                                  NoEntryState));
    // Each copy takes three allocations: its text, its entry, its state.
    const struct {
        int Failing;   // the allocation that fails (0: none)
        bool Lasting;  // and every one after it
        Texts Copied;
    } cases[] = {
        {0, false, {u"one", u"two", u"three"}},
        {4, false, {u"one", u"three"}},
        {5, false, {u"one", u"three"}},
        {3, false, {u"two", u"three"}},
        {1, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Failing) + (c.Lasting ? " and on fail" : " fails"));
        TextList run;
        PlanFailure(FailurePoint::Memory, c.Failing, c.Lasting);
        run.AppendCopies(stored, 5, TestHooks);
        ClearFailurePlan();
        EXPECT_EQ(EntryTexts(run), c.Copied);
        EXPECT_EQ(run.EntryCount, static_cast<int32_t>(c.Copied.size()));
        for (const TextEntry* e = run.Head.get(); e; e = e->Next.get()) EXPECT_EQ(StateOf(*e).Speed, 5);
    }
    EXPECT_EQ(EntryTexts(stored), (Texts{u"one", u"two", u"three"}));
    for (const TextEntry* e = stored.Head.get(); e; e = e->Next.get()) EXPECT_EQ(e->State, nullptr);
}

} // namespace
