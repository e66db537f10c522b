#include "text_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// The test saver's state of an entry.
struct EntryState {
    int32_t Speed;
    int32_t Serial;
};

namespace {

// What the hooks saw; one test at a time.
struct HookLog {
    int Built = 0;
    int Freed = 0;
};
HookLog Log;

bool BuildTestState(TextEntry& entry, int32_t speed, AllocateFn allocate)
{
    void* block = allocate(sizeof(EntryState));
    if (!block) return false;
    entry.State = static_cast<EntryState*>(block);
    entry.State->Speed = speed;
    entry.State->Serial = ++Log.Built;
    return true;
}

void FreeTestState(TextEntry& entry)
{
    ++Log.Freed;
    std::free(entry.State);
    entry.State = nullptr;
}

const EntryHooks TestHooks = {BuildTestState, FreeTestState};

// Fails the allocation numbered FailAt (0-based) and every later one.
int Allocations = 0;
int FailAt = -1;
void* CountingAllocate(size_t size)
{
    const int n = Allocations++;
    if (FailAt >= 0 && n >= FailAt) return nullptr;
    return std::malloc(size);
}

TextChar* MakeText(TextList& list, const std::u16string& s)
{
    TextChar* text = list.AllocateText(static_cast<int32_t>(s.size()));
    if (!text) return nullptr;
    std::memcpy(text, s.c_str(), (s.size() + 1) * sizeof(TextChar));
    return text;
}

std::vector<std::u16string> Texts(const TextList& list)
{
    std::vector<std::u16string> out;
    for (const TextEntry* e = list.Head; e; e = e->Next) out.emplace_back(e->Text, static_cast<size_t>(e->Length));
    return out;
}

class TextListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Log = HookLog{};
        Allocations = 0;
        FailAt = -1;
    }
    void TearDown() override { list.Release(TestHooks); }
    TextList list;
};

TEST_F(TextListTest, AppendsInOrderAndBuildsEachState)
{
    for (const char16_t* s : {u"one", u"\u5149\u9670", u"x"})
        ASSERT_TRUE(list.Append(MakeText(list, s), static_cast<int32_t>(std::u16string(s).size()), 4, TestHooks));
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"one", u"\u5149\u9670", u"x"}));
    EXPECT_EQ(list.EntryCount, 3);
    EXPECT_EQ(list.Tail->Next, nullptr);
    EXPECT_EQ(std::u16string(list.Tail->Text), u"x");  // terminated
    int serial = 0;
    for (const TextEntry* e = list.Head; e; e = e->Next) {
        EXPECT_EQ(e->State->Speed, 4);
        EXPECT_EQ(e->State->Serial, ++serial);
    }
}

TEST_F(TextListTest, AnEmptyTextAddsNothing)
{
    EXPECT_FALSE(list.Append(MakeText(list, u""), 0, 3, TestHooks));
    EXPECT_EQ(list.EntryCount, 0);
    EXPECT_EQ(list.Head, nullptr);
    EXPECT_EQ(Log.Built, 0);
}

// Memory running out at any allocation of an entry (its text, the entry,
// the saver's state) leaves the list as it was and loses nothing.
TEST_F(TextListTest, AFailedAllocationLeavesTheListUnchanged)
{
    list.Allocate = CountingAllocate;
    ASSERT_TRUE(list.Append(MakeText(list, u"kept"), 4, 2, TestHooks));
    for (int failing = 0; failing < 3; ++failing) {
        Allocations = 0;
        FailAt = failing;
        TextChar* text = MakeText(list, u"lost");
        EXPECT_FALSE(list.Append(text, 4, 2, TestHooks)) << failing;
        EXPECT_EQ(list.EntryCount, 1);
        EXPECT_EQ(list.Head, list.Tail);
        EXPECT_EQ(list.Head->Next, nullptr);
    }
    FailAt = -1;
    ASSERT_TRUE(list.Append(MakeText(list, u"after"), 5, 2, TestHooks));
    EXPECT_EQ(Texts(list), (std::vector<std::u16string>{u"kept", u"after"}));
}

TEST_F(TextListTest, ReleaseFreesEveryEntryAndKeepsTheCount)
{
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(list.Append(MakeText(list, u"abc"), 3, 1, TestHooks));
    list.Release(TestHooks);
    EXPECT_EQ(Log.Freed, 5);
    EXPECT_EQ(list.Head, nullptr);
    EXPECT_EQ(list.Tail, nullptr);
    EXPECT_EQ(list.EntryCount, 5);
    // A released list takes new entries from the start.
    ASSERT_TRUE(list.Append(MakeText(list, u"new"), 3, 1, TestHooks));
    EXPECT_EQ(list.Head, list.Tail);
    EXPECT_EQ(list.EntryCount, 6);
    // Loading starts over from a released list.
    list.Release(TestHooks);
    list.Reset();
    EXPECT_EQ(list.EntryCount, 0);
}

} // namespace
