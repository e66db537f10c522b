// Orbel's settings against the real registry (a throwaway wine prefix).
#include "orbel_settings.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

namespace {

const char KeyPath[] = "Software\\Zamvel\\Orbel";

class OrbelSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegistryTree(KeyPath); }
    void TearDown() override { DeleteRegistryTree(KeyPath); }
    OrbelSettings& s = Orbel();
};

TEST_F(OrbelSettingsTest, LoadTakesCountIntoRangeAndSetsTheShellFields)
{
    enum Stored { NoKey, NoValue, Dword };
    struct Case {
        Stored stored;
        int32_t value;
        int32_t expected;
    };
    const Case cases[] = {
        {NoKey, 0, 300},
        {NoValue, 0, 300},
        {Dword, 0, 300},
        {Dword, -5, 300},
        {Dword, INT32_MIN, 300},
        {Dword, 1, 1},
        {Dword, 500, 500},
        {Dword, MaxCount, MaxCount},
        {Dword, MaxCount + 1, MaxCount},  // brought down silently
        {Dword, INT32_MAX, MaxCount},
    };
    for (const Case& c : cases) {
        DeleteRegistryTree(KeyPath);
        if (c.stored == NoValue) {
            ASSERT_TRUE(CreateKey(KeyPath));
        }
        if (c.stored == Dword) {
            ASSERT_TRUE(PutDword(KeyPath, "Count", static_cast<DWORD>(c.value)));
        }
        s.EraseBackground = 0;
        s.TimerInterval = 10;
        s.Count = 12345;
        s.LoadFromRegistry();
        SCOPED_TRACE(testing::Message() << "stored " << c.stored << " value " << c.value);
        EXPECT_EQ(s.Count, c.expected);
        EXPECT_EQ(s.EraseBackground, 1);
        EXPECT_EQ(s.TimerInterval, 50u);
        EXPECT_EQ(KeyExists(KeyPath), c.stored != NoKey) << "loading never creates the key";
    }
}

TEST_F(OrbelSettingsTest, SaveWritesCountAsADword)
{
    s.Count = 2000000;  // what the dialog took, above the bound
    EXPECT_TRUE(s.SaveToRegistry());
    DWORD value = 0;
    ASSERT_TRUE(GetDword(KeyPath, "Count", value)) << "a REG_DWORD";
    EXPECT_EQ(value, 2000000u);
    s.LoadFromRegistry();
    EXPECT_EQ(s.Count, MaxCount);
}

} // namespace
