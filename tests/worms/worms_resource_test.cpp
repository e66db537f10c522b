// Worms' resources as built from worms.rc: the icon, dialog 102 in the UI
// language with its texts fitting their controls, and the version
// information.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "dialog_fit.h"
#include "dialog_language.h"
#include "resource_checks.h"
#include "dialog_fields.h"

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

// Run under code pages 932 and 1252, and under English and German UI
// languages.
TEST(WormsResources, DialogTextsFitTheirControls)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTING), nullptr,
                                     FieldsDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ExpectShowsItsTemplate(dialog, IDD_SETTING);
    if (ShownDialogLanguage() == JapaneseLanguage) {
        wchar_t label[32] = L"";
        GetWindowTextW(GetDlgItem(dialog, IDC_TRAIL_SMEAR), label, 32);
        EXPECT_STREQ(label, L"跡を残す（汚す）");
    }
    ExpectEveryTextFits(dialog);
    DestroyWindow(dialog);
}

TEST(WormsResources, VersionNamesTheProgram) { ExpectVersionNamesTheProgram(L"Worms"); }

} // namespace
