// Orbel's resources as the program carries them: the dialog template
// control by control, the Japanese texts read back as UTF-16, and the
// version record.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_fit.h"
#include "resource_checks.h"

namespace {

std::u16string U16(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

std::u16string WindowTextW(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return U16(text);
}

TEST(OrbelResources, IconAndDialogAreJapanese)
{
    EXPECT_NE(FindJapaneseResource(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, IDI_ORBEL), nullptr);
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ORBEL)), nullptr);
    EXPECT_NE(FindJapaneseResource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, IDD_SETTING), nullptr);
}

TEST(OrbelResources, DialogTemplateAsTabulated)
{
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(IDD_SETTING, t));
    ASSERT_FALSE(t.Extended) << "a classic template";
    EXPECT_EQ(t.Style, static_cast<DWORD>(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_VISIBLE | WS_CAPTION |
                                          WS_SYSMENU));
    EXPECT_EQ(t.ExStyle, 0u);
    EXPECT_EQ(t.X, 0);
    EXPECT_EQ(t.Y, 0);
    EXPECT_EQ(t.Cx, 103);
    EXPECT_EQ(t.Cy, 49);
    EXPECT_EQ(t.Menu, L"");
    EXPECT_EQ(t.Class, L"");  // the dialog class
    EXPECT_EQ(t.Caption, L"Setting");
    EXPECT_EQ(t.Points, 9);
    EXPECT_EQ(t.Face, L"ＭＳ Ｐゴシック");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DialogControl expected[] = {
        {child | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 60, 5, 40, 15, IDOK, L"#128", L"OK"},
        {child | BS_PUSHBUTTON | WS_TABSTOP, 0, 60, 25, 40, 15, IDCANCEL, L"#128", L"ｷｬﾝｾﾙ"},
        {child | SS_LEFT | SS_SUNKEN | SS_CENTERIMAGE | WS_GROUP, 0, 5, 5, 45, 15, -1, L"#130", L"質点の数"},
        {child | ES_CENTER | ES_NUMBER | WS_BORDER | WS_TABSTOP, 0, 20, 25, 30, 15, IDC_COUNT, L"#129", L""},
    };
    ExpectControls(t, expected);
}

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(OrbelResources, DialogTextsFitAndComeOutAsUtf16)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTING), nullptr,
                                     PlainDialog, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowTextW(dialog), u"Setting");
    EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDOK)), u"OK");
    EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDCANCEL)), u"ｷｬﾝｾﾙ");
    HWND label = GetWindow(GetDlgItem(dialog, IDCANCEL), GW_HWNDNEXT);
    EXPECT_EQ(WindowTextW(label), u"質点の数");
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font));
    EXPECT_EQ(U16(font.lfFaceName), u"ＭＳ Ｐゴシック");
    ExpectEveryTextFits(dialog);
    DestroyWindow(dialog);
}

TEST(OrbelResources, VersionRecordNamesTheProgramInJapanese)
{
    const VersionRecord version;
    ASSERT_TRUE(version.Loaded());
    ExpectVersion1001InJapanese(version);

    const VersionText strings[] = {
        {L"CompanyName", L"Zamvel"},
        {L"FileDescription", L"Orbel 質点の引力スクリーンセーバー"},
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Orbel"},
        {L"OriginalFilename", L"Orbel.scr"},
        {L"ProductName", L"Orbel"},
        {L"ProductVersion", L"1, 0, 0, 1"},
    };
    ExpectVersionTexts(version, strings);
}

} // namespace
