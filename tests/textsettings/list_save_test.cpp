// The string list's save never loses the stored list: whichever registry
// change of the save fails, and wherever the save stops (a crash), the list
// loaded afterwards is the old one or the new one, whole. Against the real
// registry of the test prefix.
#include "text_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry_texts.h"
#include "win_test_support.h"

namespace {

const char TestKeyPath[] = "Software\\Zamvel\\ListSaveTest";
const std::string ListPath = std::string(TestKeyPath) + "\\List";
const std::string NewListPath = std::string(TestKeyPath) + "\\List.new";

const std::vector<std::string> OldTexts = {"old one", "old two", "old three"};
const std::vector<std::string> NewTexts = {"new one", "new two", "new three", "new four"};
// A save's changes: the stale "List.new" deleted, "List.new" created, one
// value per text, "List" deleted, "List.new" renamed.
const int SaveChanges = static_cast<int>(NewTexts.size()) + 4;

class TestTextSettings : public TextSettings {
public:
    TestTextSettings() : TextSettings(TestKeyPath, 48) {}
    ~TestTextSettings() { ReleaseList(); }
};

std::vector<std::wstring> Wide(const std::vector<std::string>& texts)
{
    std::vector<std::wstring> out;
    for (const std::string& t : texts) out.emplace_back(t.begin(), t.end());
    return out;
}

// The list as a fresh process would load it.
std::vector<std::wstring> LoadedTexts()
{
    TestTextSettings s;
    s.LoadFromRegistry();
    return EntryTexts(s.List);
}

// Which changes the save may make: those before Stop, except Refused.
namespace gate {
int Stop = -1;     // negative: no stop
int Refused = -1;  // negative: none refused
int Asked = 0;
bool Allow(int change)
{
    ++Asked;
    return (Stop < 0 || change < Stop) && change != Refused;
}
} // namespace gate

class ListSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(TestKeyPath);
        for (size_t i = 0; i < OldTexts.size(); ++i)
            ASSERT_TRUE(PutValue(ListPath, std::to_string(i + 1), REG_SZ, OldTexts[i]));
        gate::Stop = gate::Refused = -1;
        gate::Asked = 0;
    }
    void TearDown() override { DeleteRegistryTree(TestKeyPath); }

    // Loads the old list, puts the new one in its place and saves it
    // through the gate.
    bool SaveNewList()
    {
        TestTextSettings s;
        s.LoadFromRegistry();
        s.ReleaseList();
        s.List.Reset();
        for (const std::string& t : NewTexts) s.AddText(t.c_str());
        s.AllowListChange = gate::Allow;
        return s.SaveToRegistry();
    }
};

TEST_F(ListSaveTest, ASaveMakesTheChangesCounted)
{
    ASSERT_TRUE(SaveNewList());
    EXPECT_EQ(gate::Asked, SaveChanges);
    EXPECT_EQ(LoadedTexts(), Wide(NewTexts));
    EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
}

// A crash after each change in turn: nothing after it reaches the registry,
// then a new process loads. Until "List" is deleted the old list is whole in
// it; from then on the new one is whole in "List.new", which the load puts
// in its place. Whatever is left over goes with the next save.
TEST_F(ListSaveTest, ASaveStoppedAfterAnyChangeLeavesTheOldOrTheNewList)
{
    const int listDeleted = SaveChanges - 1;  // changes made once "List" is gone
    for (int stop = 0; stop <= SaveChanges; ++stop) {
        SCOPED_TRACE("stopped after " + std::to_string(stop) + " changes");
        SetUp();
        gate::Stop = stop;
        EXPECT_EQ(SaveNewList(), stop == SaveChanges);
        EXPECT_EQ(LoadedTexts(), Wide(stop >= listDeleted ? NewTexts : OldTexts));
        EXPECT_TRUE(KeyExists(ListPath));

        gate::Stop = -1;
        ASSERT_TRUE(SaveNewList());
        EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
        EXPECT_EQ(LoadedTexts(), Wide(NewTexts));
    }
}

// One change refused, the others made: the save says so, and the list read
// back is the old one, or the new one when only the rename failed (the load
// then renames it) or when no stale "List.new" needed deleting.
TEST_F(ListSaveTest, AFailedChangeLeavesTheOldOrTheNewList)
{
    const struct {
        int Refused;
        bool Saved;
        bool NewList;
        bool NewKeyLeft;  // "List.new" after the save
    } cases[] = {
        {0, true, true, false},                // deleting a stale "List.new" (there is none)
        {1, false, false, false},              // creating "List.new"
        {2, false, false, false},              // the first value
        {3, false, false, false},              // a value in the middle
        {SaveChanges - 3, false, false, false},  // the last value
        {SaveChanges - 2, false, false, false},  // deleting "List"
        {SaveChanges - 1, false, true, true},    // renaming "List.new"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("change " + std::to_string(c.Refused) + " refused");
        SetUp();
        gate::Refused = c.Refused;
        EXPECT_EQ(SaveNewList(), c.Saved);
        EXPECT_EQ(KeyExists(NewListPath), c.NewKeyLeft);
        EXPECT_EQ(LoadedTexts(), Wide(c.NewList ? NewTexts : OldTexts));
        EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
    }
}

// A "List.new" beside "List" is what a save that failed before it deleted
// "List" left: it is not read, and the next save replaces it.
TEST_F(ListSaveTest, AStaleNewListBesideTheListIsIgnoredAndReplaced)
{
    for (const char* n : {"1", "2", "3", "4", "5", "6"}) ASSERT_TRUE(PutValue(NewListPath, n, REG_SZ, "stale"));
    ASSERT_TRUE(PutValue(NewListPath + "\\Inner", "x", REG_SZ, "stale"));
    EXPECT_EQ(LoadedTexts(), Wide(OldTexts));
    ASSERT_TRUE(SaveNewList());
    EXPECT_EQ(LoadedTexts(), Wide(NewTexts));
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
    EXPECT_EQ(LoadedTexts(), Wide(NewTexts));
    EXPECT_EQ(SubKeys(TestKeyPath), std::vector<std::string>{"List"});
    EXPECT_EQ(Values(ListPath).size(), NewTexts.size());
}

} // namespace
