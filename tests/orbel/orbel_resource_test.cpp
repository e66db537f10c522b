// Orbel's resources as the program carries them: the dialog of the UI
// language, its texts read back as UTF-16 and fitting their controls, and
// the version record.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_fit.h"
#include "dialog_language.h"
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

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Run under code pages 932 and 1252, and under English and German UI
// languages.
TEST(OrbelResources, DialogTextsFitAndComeOutAsUtf16)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTING), nullptr,
                                     PlainDialog, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowTextW(dialog), u"Setting");
    ExpectShowsItsTemplate(dialog, IDD_SETTING);
    if (ShownDialogLanguage() == JapaneseLanguage) {
        EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDOK)), u"OK");
        EXPECT_EQ(WindowTextW(GetDlgItem(dialog, IDCANCEL)), u"ｷｬﾝｾﾙ");
        HWND label = GetWindow(GetDlgItem(dialog, IDCANCEL), GW_HWNDNEXT);
        EXPECT_EQ(WindowTextW(label), u"質点の数");
        LOGFONTW font{};
        ASSERT_TRUE(
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font));
        EXPECT_EQ(U16(font.lfFaceName), u"ＭＳ Ｐゴシック");
    }
    ExpectEveryTextFits(dialog);
    DestroyWindow(dialog);
}

TEST(OrbelResources, VersionRecordNamesTheProgram) { ExpectVersionNamesTheProgram(L"Orbel"); }

} // namespace
