// The string list's save never loses the stored list: whichever registry
// call of the save fails, and wherever the save stops (a crash), the list
// loaded afterwards is the old one or the new one, whole. Against the real
// registry of the test prefix.
#include "table_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi_text.h"
#include "entry_texts.h"
#include "failure_points.h"
#include "text_test_table.h"
#include "win_test_support.h"

namespace {

const char TestKeyPath[] = "Software\\Zamvel\\ListSaveTest";
const std::string ListPath = std::string(TestKeyPath) + "\\List";
const std::string NewListPath = std::string(TestKeyPath) + "\\List.new";

const std::vector<std::string> OldTexts = {"old one", "old two", "old three"};
const std::vector<std::string> NewTexts = {"new one", "new two", "new three", "new four"};

constexpr SaverTable Table = TextTestTable("ListSaveTest");

std::vector<std::wstring> Widened(const std::vector<std::string>& texts)
{
    std::vector<std::wstring> out;
    for (const std::string& t : texts) out.emplace_back(t.begin(), t.end());
    return out;
}

// The list as a fresh process would load it.
std::vector<std::wstring> LoadedTexts()
{
    TableSettings s(Table);
    s.LoadFromRegistry();
    return EntryTexts(s.Values.Strings);
}

class ListSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(TestKeyPath);
        for (size_t i = 0; i < OldTexts.size(); ++i)
            ASSERT_TRUE(PutValue(ListPath, std::to_string(i + 1), REG_SZ, OldTexts[i]));
    }
    void TearDown() override
    {
        ClearFailurePlan();
        DeleteRegistryTree(TestKeyPath);
    }

    // Loads the old list, puts the new one in its place and saves it with
    // the nth registry call of the save refused (and every later one when
    // lasting: a crash there). Requests is then the save's call count.
    bool SaveNewList(int32_t nth = 0, bool lasting = false)
    {
        TableSettings s(Table);
        s.LoadFromRegistry();
        s.Values.Strings.Reset();
        for (const std::string& t : NewTexts) AddAnsiText(s.Values.Strings, t.c_str(), CP_ACP, 0, NoEntryState);
        PlanFailure(FailurePoint::Registry, nth, lasting);
        const bool saved = s.SaveToRegistry();
        Requests = FailurePointRequests(FailurePoint::Registry);
        ClearFailurePlan();
        return saved;
    }
    int32_t Requests = 0;
};

// Each registry call of the save refused in turn, alone and with every call
// after it (the save stopped there), then a new process loads: it finds the
// old list or the new one, whole, and the new one whenever the save said it
// succeeded. Both outcomes occur: the stop after "List" went leaves the new
// list in "List.new", which the load puts in its place. The next save
// leaves "List" alone, holding the new list.
TEST_F(ListSaveTest, ARefusedOrStoppedSaveLeavesTheOldOrTheNewList)
{
    ASSERT_TRUE(SaveNewList());
    const int32_t calls = Requests;
    ASSERT_GT(calls, static_cast<int32_t>(NewTexts.size()) + 4);
    int oldLoaded = 0, newLoaded = 0;
    for (int32_t nth = 1; nth <= calls; ++nth)
        for (bool lasting : {false, true}) {
            SCOPED_TRACE(testing::Message() << "call " << nth << (lasting ? " and after" : " alone") << " refused");
            SetUp();
            const bool saved = SaveNewList(nth, lasting);
            const std::vector<std::wstring> loaded = LoadedTexts();
            EXPECT_TRUE(loaded == Widened(OldTexts) || loaded == Widened(NewTexts));
            if (saved) {
                EXPECT_EQ(loaded, Widened(NewTexts));
            }
            EXPECT_FALSE(saved && lasting) << "a stopped save said it succeeded";
            ++(loaded == Widened(NewTexts) ? newLoaded : oldLoaded);
            EXPECT_TRUE(KeyExists(ListPath));

            ASSERT_TRUE(SaveNewList());
            EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
            EXPECT_EQ(LoadedTexts(), Widened(NewTexts));
        }
    EXPECT_GT(oldLoaded, 0);
    EXPECT_GT(newLoaded, 0);
}

// The rename is the save's last call: refused, it leaves the new list whole
// in "List.new" and the save says it failed; the next load renames it.
TEST_F(ListSaveTest, AFailedRenameLeavesTheNewListForTheNextLoad)
{
    ASSERT_TRUE(SaveNewList());
    SetUp();
    EXPECT_FALSE(SaveNewList(Requests));
    EXPECT_TRUE(KeyExists(NewListPath));
    EXPECT_FALSE(KeyExists(ListPath));
    EXPECT_EQ(LoadedTexts(), Widened(NewTexts));
    EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
}

// A "List.new" beside "List" is what a save that failed before it deleted
// "List" left: it is not read, and the next save replaces it.
TEST_F(ListSaveTest, AStaleNewListBesideTheListIsIgnoredAndReplaced)
{
    for (const char* n : {"1", "2", "3", "4", "5", "6"}) ASSERT_TRUE(PutValue(NewListPath, n, REG_SZ, "stale"));
    ASSERT_TRUE(PutValue(NewListPath + "\\Inner", "x", REG_SZ, "stale"));
    EXPECT_EQ(LoadedTexts(), Widened(OldTexts));
    ASSERT_TRUE(SaveNewList());
    EXPECT_EQ(LoadedTexts(), Widened(NewTexts));
    std::vector<std::string> names;
    for (const RawValue& v : Values(ListPath)) names.push_back(v.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
}

// "List.new" without "List": a save stopped between the two; the load
// finishes it.
TEST_F(ListSaveTest, ALoadFinishesASaveStoppedBeforeTheRename)
{
    DeleteRegistryTree(ListPath.c_str());
    for (size_t i = 0; i < NewTexts.size(); ++i)
        ASSERT_TRUE(PutValue(NewListPath, std::to_string(i + 1), REG_SZ, NewTexts[i]));
    EXPECT_EQ(LoadedTexts(), Widened(NewTexts));
    EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
    EXPECT_EQ(Values(ListPath).size(), NewTexts.size());
}

} // namespace
