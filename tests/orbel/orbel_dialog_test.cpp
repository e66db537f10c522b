// The "Setting" dialog made from the program's own resource, modeless and
// in-process, driven with the messages its buttons send.
#include "orbel_settings.h"
#include "resource.h"
#include "win_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char KeyPath[] = "Software\\Zamvel\\Orbel";
const wchar_t CountTooSmall[] = L"質点の数は１以上にして下さい";
// The same text in code page 932, spelled out byte by byte.
const char CountTooSmall932[] =
    "\x8e\xbf\x93\x5f\x82\xcc\x90\x94\x82\xcd\x82\x50\x88\xc8\x8f\xe3\x82\xc9\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2";

// What a message box's text reads as through the ANSI interface.
std::string InAnsi(const wchar_t* text)
{
    char out[256] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

class OrbelDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(KeyPath);
        Orbel().Count = 300;
        dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTING), nullptr,
                                    OrbelDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        edit = GetDlgItem(dialog, IDC_COUNT);
        PumpMessages(20);
    }
    void TearDown() override
    {
        // EndDialog only hides a modeless dialog.
        if (dialog) DestroyWindow(dialog);
        DeleteRegistryTree(KeyPath);
    }
    void Type(const char* text) { SetWindowTextA(edit, text); }
    void Press(int id)
    {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

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
        EXPECT_EQ(catcher.Boxes()[0].Text, InAnsi(CountTooSmall));
        // The test runs under the Japanese code page (see CMakeLists.txt).
        if (GetACP() == 932) {
            EXPECT_EQ(catcher.Boxes()[0].Text, CountTooSmall932);
        }
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
