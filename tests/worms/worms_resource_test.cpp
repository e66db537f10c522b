// Worms' resources as built from worms.rc: the icon, dialog 102 control by
// control with its Japanese texts, and the version information.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "dialog_fit.h"
#include "resource_checks.h"
#include "worms_dialog.h"

namespace {

TEST(WormsResources, IconIsOne32By32SixteenColourImage)
{
    IconGroup group;
    ASSERT_TRUE(ReadIconGroup(IDI_WORMS, group));
    EXPECT_EQ(group.Count, 1);
    EXPECT_EQ(group.Width, 32);
    EXPECT_EQ(group.Height, 32);
    EXPECT_EQ(group.Colours, 16) << "colours";
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_WORMS));
    EXPECT_NE(icon, nullptr);
}

TEST(WormsResources, SettingDialogHasTheTabulatedControls)
{
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(IDD_SETTING, t));
    EXPECT_FALSE(t.Extended) << "a classic template";
    const DWORD wanted = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(t.Style & wanted, wanted);
    EXPECT_EQ(t.Cx, 139);
    EXPECT_EQ(t.Cy, 95);
    EXPECT_EQ(t.Menu, L"");
    EXPECT_EQ(t.Class, L"");  // the standard dialog class
    EXPECT_EQ(t.Caption, L"Setting");
    EXPECT_EQ(t.Points, 9);
    EXPECT_EQ(t.Face, L"ＭＳ Ｐゴシック");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD sunkenLabel = child | SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE | WS_GROUP;
    const DWORD numberEdit = child | ES_CENTER | ES_NUMBER | WS_BORDER | WS_TABSTOP;
    const DialogControl want[] = {
        {child | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 95, 5, 40, 15, IDOK, L"#128", L"OK"},
        {child | BS_PUSHBUTTON | WS_TABSTOP, 0, 95, 25, 40, 15, IDCANCEL, L"#128", L"ｷｬﾝｾﾙ"},
        {sunkenLabel, 0, 5, 5, 45, 15, -1, L"#130", L"ワームの数"},
        {numberEdit, 0, 55, 5, 30, 15, IDC_WORMS_CNT, L"#129", L""},
        {sunkenLabel, 0, 5, 25, 45, 15, -1, L"#130", L"ワームの長さ"},
        {numberEdit, 0, 55, 25, 30, 15, IDC_WORMS_LEN, L"#129", L""},
        {child | BS_AUTORADIOBUTTON | WS_GROUP, 0, 15, 55, 65, 10, IDC_TRAIL_CLEAR, L"#128", L"跡を残す（クリア）"},
        {child | BS_AUTORADIOBUTTON, 0, 15, 65, 65, 10, IDC_TRAIL_NONE, L"#128", L"跡を残さない"},
        {child | BS_AUTORADIOBUTTON, 0, 15, 75, 65, 10, IDC_TRAIL_SMEAR, L"#128", L"跡を残す（汚す）"},
        {child | BS_GROUPBOX, 0, 5, 45, 80, 45, -1, L"#128", L"ワームの痕跡を"},
    };
    ExpectControls(t, want);
}

// Run under code pages 932 and 1252.
TEST(WormsResources, DialogTextsFitTheirControls)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTING), nullptr,
                                     WormsDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    wchar_t label[32] = L"";
    GetWindowTextW(GetDlgItem(dialog, IDC_TRAIL_SMEAR), label, 32);
    EXPECT_STREQ(label, L"跡を残す（汚す）");
    ExpectEveryTextFits(dialog);
    DestroyWindow(dialog);
}

TEST(WormsResources, VersionNamesTheProgram)
{
    const VersionRecord version;
    ASSERT_TRUE(version.Loaded());
    ExpectVersion1001InJapanese(version);
    const VersionText strings[] = {
        {L"CompanyName", L"Zamvel"},
        {L"FileDescription", L"Worms screen saver"},
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Worms"},
        {L"OriginalFilename", L"Worms.scr"},
        {L"ProductName", L"Worms"},
        {L"ProductVersion", L"1, 0, 0, 1"},
    };
    ExpectVersionTexts(version, strings);
}

} // namespace
