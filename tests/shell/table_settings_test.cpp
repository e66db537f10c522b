// A program's settings made from its table's schema, against the real
// registry of the test prefix: how each kind of number loads and is
// stored, and a save that fails leaving the key as it was.
#include "table_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "failure_points.h"
#include "win_test_support.h"

namespace {

constexpr SettingChoice Trails[] = {{"clear", {}}, {"none", {}}, {"smear", {}}};
constexpr SettingSpec Schema[] = {
    ChoiceSetting("Type", "trail", 0, 0, Trails).OutsideBecomes(1),
    NumberSetting("Count", "count", 20, 1, 70).OutOfBounds(Beyond::Default, Beyond::Bound),
    NumberSetting("Size", "size", 24, 4, 64).OutOfBounds(Beyond::Bound, Beyond::Bound).BoundedByEachRun(),
    FlagSetting("Bold", "bold"),
};
constexpr SaverTable Table = {"TableSettingsTest", {}, true, false, 50, Schema, 4,
                              nullptr, nullptr, nullptr, nullptr, nullptr};
const char KeyPath[] = "Software\\Zamvel\\TableSettingsTest";
const char* const Names[] = {"Type", "Count", "Size", "Bold"};
constexpr DWORD None = 0xDEADBEEF;  // the value is not stored

class TableSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegistryTree(KeyPath); }
    void TearDown() override
    {
        ClearFailurePlan();
        DeleteRegistryTree(KeyPath);
    }
    void Store(const DWORD (&values)[4])
    {
        DeleteRegistryTree(KeyPath);
        for (int i = 0; i < 4; ++i) {
            if (values[i] != None) {
                ASSERT_TRUE(PutDword(KeyPath, Names[i], values[i]));
            }
        }
    }
    TableSettings s{Table};
};

// Each number brought into its bounds as its line says, one kept as stored;
// the shell's values from the table. Loading never creates the key.
TEST_F(TableSettingsTest, LoadBringsEachNumberIntoItsBoundsAsItsLineSays)
{
    const struct {
        DWORD Stored[4];
        int32_t Loaded[4];
    } cases[] = {
        {{None, None, None, None}, {0, 20, 24, 0}},
        {{2, 50, 33, 1}, {2, 50, 33, 1}},
        {{3, 0, 3, 7}, {1, 20, 3, 7}},
        {{static_cast<DWORD>(-1), 71, 65, 0}, {1, 70, 65, 0}},
        {{0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, None}, {1, 20, -1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Stored[0] << " " << c.Stored[1] << " " << c.Stored[2]);
        Store(c.Stored);
        s.EraseBackground = 1;
        s.TimerInterval = 10;
        s.LoadFromRegistry();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(s.Values.Numbers[i], c.Loaded[i]) << Names[i];
        EXPECT_EQ(s.EraseBackground, 0) << "a saver over the desktop erases nothing";
        EXPECT_EQ(s.TimerInterval, 50u);
    }
    DeleteRegistryTree(KeyPath);
    s.LoadFromRegistry();
    EXPECT_FALSE(KeyExists(KeyPath));
}

TEST_F(TableSettingsTest, SaveWritesEveryNumberAsADword)
{
    const int32_t values[] = {2, 2000000, 0, 1};
    for (int i = 0; i < 4; ++i) s.Values.Numbers[i] = values[i];
    ASSERT_TRUE(s.SaveToRegistry());
    for (int i = 0; i < 4; ++i) {
        DWORD stored = 0;
        ASSERT_TRUE(GetDword(KeyPath, Names[i], stored)) << Names[i] << " is a REG_DWORD";
        EXPECT_EQ(static_cast<int32_t>(stored), values[i]);
    }
    s.LoadFromRegistry();
    EXPECT_EQ(s.Values.Numbers[1], 70);
}

// Each registry call of a save refused in turn: the save fails and the key
// holds what it held, values of other types and values it lacked included;
// a key that was not there is not there after.
TEST_F(TableSettingsTest, AFailedSaveLeavesTheKeyAsItWas)
{
    const int32_t values[] = {2, 7, 9, 1};
    for (int i = 0; i < 4; ++i) s.Values.Numbers[i] = values[i];
    for (bool keyThere : {true, false}) {
        auto setUp = [&] {
            DeleteRegistryTree(KeyPath);
            if (!keyThere) return;
            PutDword(KeyPath, "Type", 1);
            PutValue(KeyPath, "Count", REG_SZ, "text, not a number");
            PutValue(KeyPath, "Bold", REG_BINARY, std::string(100, '\x5a'));
        };
        setUp();
        PlanFailure(FailurePoint::Registry, 0);
        ASSERT_TRUE(s.SaveToRegistry());
        const int32_t calls = FailurePointRequests(FailurePoint::Registry);
        for (int32_t nth = 1; nth <= calls; ++nth) {
            SCOPED_TRACE(testing::Message() << "call " << nth << (keyThere ? "" : ", no key"));
            setUp();
            const std::string before = ExportKey(KeyPath);
            PlanFailure(FailurePoint::Registry, nth);
            EXPECT_FALSE(s.SaveToRegistry());
            ClearFailurePlan();
            EXPECT_EQ(ExportKey(KeyPath), before);
            EXPECT_EQ(KeyExists(KeyPath), keyThere);
        }
    }
}

} // namespace
