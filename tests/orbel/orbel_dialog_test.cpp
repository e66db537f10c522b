// The "Setting" dialog made from the program's own resource, modeless and
// in-process, driven with the messages its buttons send.
#include "orbel_settings.h"
#include "resource.h"
#include "dialog_driver.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char KeyPath[] = "Software\\Zamvel\\Orbel";
const char CountTooSmall[] = u8"質点の数は１以上にして下さい";

class OrbelDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(KeyPath);
        Orbel().Count = 300;
        ASSERT_TRUE(driver.Open(IDD_SETTING, OrbelDialogProc));
        dialog = driver.Window();
        edit = driver.Item(IDC_COUNT);
        PumpMessages(20);
    }
    void TearDown() override
    {
        driver.Close();
        DeleteRegistryTree(KeyPath);
    }
    void Type(const char* text) { driver.SetText(IDC_COUNT, text); }
    void Press(int id) { driver.Press(id); }

    DialogDriver driver;
    HWND dialog = nullptr;
    HWND edit = nullptr;
};

TEST_F(OrbelDialogTest, OpensWithTheCountAndTheFocusInTheEdit)
{
    char text[32] = "";
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "300");
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

// Run under code pages 932 and 1252 as well: the message reads right in both.
TEST_F(OrbelDialogTest, OkRefusesACountBelowOne)
{
    // Empty and non-numbers read 0; 2^31 and up read negative; beyond
    // 32 bits reads 0.
    for (const char* typed : {"0", "", "abc", "2147483648", "4294967295", "99999999999"}) {
        MessageBoxCatcher catcher;
        Type(typed);
        Press(IDOK);
        SCOPED_TRACE(typed);
        ASSERT_EQ(catcher.Boxes().size(), 1u);
        EXPECT_EQ(catcher.Boxes()[0].Caption, "Orbel");
        EXPECT_EQ(catcher.Boxes()[0].Text, CountTooSmall);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_FALSE(KeyExists(KeyPath)) << "nothing is written";
    }
    // A Cancel after the refusal writes nothing either.
    Press(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_FALSE(KeyExists(KeyPath));
}

TEST_F(OrbelDialogTest, OkStoresTheCountAsTyped)
{
    struct Case {
        const char* typed;
        DWORD stored;
    };
    // The bound applies when the count is loaded, not here.
    const Case cases[] = {{"500", 500}, {"1", 1}, {"99999", 99999}, {"2147483647", 2147483647}};
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        MessageBoxCatcher catcher;
        Type(c.typed);
        Press(IDOK);
        SCOPED_TRACE(c.typed);
        EXPECT_TRUE(catcher.Boxes().empty());
        EXPECT_FALSE(IsWindowVisible(dialog)) << "the dialog ended";
        DWORD value = 0;
        ASSERT_TRUE(GetDword(KeyPath, "Count", value));
        EXPECT_EQ(value, c.stored);
        EXPECT_EQ(Orbel().Count, static_cast<int32_t>(c.stored));
    }
}

TEST_F(OrbelDialogTest, OkWithoutChangesCreatesTheKeyWithTheShownCount)
{
    Press(IDOK);
    DWORD value = 0;
    ASSERT_TRUE(GetDword(KeyPath, "Count", value));
    EXPECT_EQ(value, 300u);
}

TEST_F(OrbelDialogTest, CancelWritesNothing)
{
    Type("500");
    Press(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_FALSE(KeyExists(KeyPath));
}

} // namespace
