// The registry store against the real registry of the test prefix.
#include "test_saver.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A settings object of a program of the test's choosing, whose load and
// save only count.
class PathSettings : public SettingsKey {
public:
    explicit PathSettings(const char* program) : SettingsKey(program) {}
    void LoadSettings() override { ++Loads; }
    bool SaveSettings() override
    {
        ++Saves;
        return true;
    }
    int Loads = 0, Saves = 0;
};

void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
{
    ASSERT_TRUE(PutValue(TestKeyPath, name, type, data, size));
}

// Opens the test key for the store's reads, as LoadFromRegistry does.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(TestKeyPath);
        ResetTestSaver();
    }
    void TearDown() override
    {
        if (store.KeyHandle) RegCloseKey(store.KeyHandle);
        store.KeyHandle = nullptr;
        DeleteRegistryTree(TestKeyPath);
    }
    void OpenKey()
    {
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath, 0, KEY_ALL_ACCESS, &store.KeyHandle),
                  ERROR_SUCCESS);
    }
    PathSettings store{"ShellTest"};
};

} // namespace

TEST_F(StoreTest, FirstStartTakesDefaultsAndWritesNothing)
{
    TestSettings& s = TheTestSettings;
    s.LoadFromRegistry();
    EXPECT_EQ(s.Loads, 1);
    EXPECT_EQ(s.Number, 7);
    EXPECT_STREQ(s.Text, "default");
    EXPECT_EQ(s.KeyHandle, nullptr);
    EXPECT_FALSE(KeyExists(TestKeyPath));
}

TEST_F(StoreTest, SavedValuesComeBackWithTheirTypes)
{
    TestSettings& s = TheTestSettings;
    s.Number = -5;
    strcpy(s.Text, "abc def");
    EXPECT_TRUE(s.SaveToRegistry());
    EXPECT_EQ(s.KeyHandle, nullptr) << "the key is closed after saving";

    s.Number = 0;
    s.Text[0] = '\0';
    s.LoadFromRegistry();
    EXPECT_EQ(s.Number, -5);
    EXPECT_STREQ(s.Text, "abc def");

    RawValue text, number;
    ASSERT_TRUE(GetValue(TestKeyPath, "Text", text));
    EXPECT_EQ(text.Type, static_cast<DWORD>(REG_SZ));
    ASSERT_TRUE(GetValue(TestKeyPath, "Number", number));
    EXPECT_EQ(number.Type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number.Data.size(), 4u);
}

// Every text length around a buffer of 8 bytes, stored with and without a
// terminator, read into a buffer whose bytes beyond the given size carry a
// marker that must survive.
TEST_F(StoreTest, ReadStringAtTheBufferEdges)
{
    constexpr DWORD Size = 8;
    constexpr unsigned char Marker = 0xA5;
    const std::string full = "0123456789ABCDEF";
    for (int withZero = 0; withZero <= 1; ++withZero) {
        for (size_t len = 0; len <= 12; ++len) {
            const std::string text = full.substr(0, len);
            SetRaw("Edge", REG_SZ, text.c_str(), static_cast<DWORD>(len + withZero));
            OpenKey();
            unsigned char buffer[32];
            memset(buffer, Marker, sizeof buffer);
            const char* fallback = "fallback-text";
            const char* got = store.ReadString("Edge", reinterpret_cast<char*>(buffer), Size, fallback);
            RegCloseKey(store.KeyHandle);
            store.KeyHandle = nullptr;

            const std::string where = "length " + std::to_string(len) + (withZero ? " stored with zero" : "");
            const bool fits = len + 1 <= Size;
            if (fits) {
                EXPECT_EQ(got, reinterpret_cast<char*>(buffer)) << where;
                EXPECT_EQ(std::string(got), text) << where;
            } else {
                EXPECT_EQ(got, fallback) << where << ": the default pointer itself";
                EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer)), "fallbac") << where << ": cut default";
            }
            for (size_t i = Size; i < sizeof buffer; ++i)
                ASSERT_EQ(buffer[i], Marker) << where << ": byte " << i << " overwritten";
        }
    }
}

TEST_F(StoreTest, ValuesAreReadAsRawBytesWhateverTheirType)
{
    const DWORD abcd = 0x44434241;  // "ABCD" in memory
    SetRaw("Dword", REG_DWORD, &abcd, 4);
    SetRaw("Short", REG_SZ, "ab", 2);
    SetRaw("Three", REG_BINARY, "\x01\x02\x03", 3);
    SetRaw("Empty", REG_BINARY, "", 0);
    SetRaw("Five", REG_BINARY, "\x01\x02\x03\x04\x05", 5);
    SetRaw("Long", REG_SZ, "12345", 5);
    OpenKey();

    char buffer[32];
    EXPECT_STREQ(store.ReadString("Dword", buffer, sizeof buffer, "x"), "ABCD");
    EXPECT_EQ(store.ReadDword("Short", -1), 0x6261) << "a short REG_SZ is a little-endian number";
    EXPECT_EQ(store.ReadDword("Three", -1), 0x030201) << "shorter data is widened with zeros";
    EXPECT_EQ(store.ReadDword("Empty", -1), -1) << "no data is no number";
    EXPECT_EQ(store.ReadDword("Five", -1), -1) << "longer than 4 bytes";
    EXPECT_EQ(store.ReadDword("Long", -1), -1);
    EXPECT_EQ(store.ReadDword("Missing", 33), 33);
    EXPECT_STREQ(store.ReadString("Missing", buffer, sizeof buffer, "dflt"), "dflt");
}

TEST_F(StoreTest, WithoutAKeyEveryOperationFailsSoftly)
{
    char buffer[8] = "zzzzzzz";
    EXPECT_STREQ(store.ReadString("Text", buffer, sizeof buffer, "d"), "d");
    EXPECT_STREQ(buffer, "d");
    EXPECT_EQ(store.ReadDword("Number", 9), 9);
    EXPECT_FALSE(store.WriteString("Text", "x"));
    EXPECT_FALSE(store.WriteDword("Number", 1));
    EXPECT_EQ(store.CreateSubKey("List"), nullptr);
    EXPECT_FALSE(KeyExists(TestKeyPath));
}

TEST_F(StoreTest, SubKeysAreCreatedWhileTheKeyIsOpen)
{
    SetRaw("Number", REG_DWORD, "\x01\x00\x00\x00", 4);
    OpenKey();
    HKEY list = store.CreateSubKey("List");
    ASSERT_NE(list, nullptr);
    store.CloseKey(list);
    EXPECT_TRUE(KeyExists(std::string(TestKeyPath) + "\\List"));
}

TEST_F(StoreTest, AKeyThatCannotBeCreatedFailsTheSaveAndWritesNothing)
{
    // A key name of more than 255 characters cannot exist.
    const std::string name(300, 'k');
    const std::string path = "Software\\Zamvel\\" + name;
    PathSettings bad(name.c_str());
    EXPECT_FALSE(bad.SaveToRegistry());
    EXPECT_EQ(bad.Saves, 0) << "SaveSettings does not run without a key";
    EXPECT_EQ(bad.KeyHandle, nullptr);
    EXPECT_FALSE(KeyExists(path));

    bad.LoadFromRegistry();
    EXPECT_EQ(bad.Loads, 1) << "loading runs with every value at its default";
}
