// The settings dialog's template as the programs carry it: resource 102 in
// Japanese, every control where the table puts it.
#include <windows.h>

#include <gtest/gtest.h>

#include "resource_checks.h"
#include "settings_dialog_ids.h"

namespace {

TEST(SettingsDialogResource, FrameCaptionAndFont)
{
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(IDD_TEXT_SETTINGS, t));
    EXPECT_EQ(t.Style, static_cast<DWORD>(WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT));
    EXPECT_EQ(t.Cx, 190);
    EXPECT_EQ(t.Cy, 219);
    EXPECT_EQ(t.Caption, L"Setting");
    EXPECT_EQ(t.Points, 9);
    EXPECT_EQ(t.Face, L"ＭＳ Ｐゴシック");
}

TEST(SettingsDialogResource, ControlsInTabOrder)
{
    const DWORD base = WS_CHILD | WS_VISIBLE;
    const DialogControl expected[] = {
        {base | WS_GROUP | SS_LEFT, 0, 10, 0, 50, 10, -1, L"STATIC", L"&String List"},
        {base | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
             LBS_DISABLENOSCROLL,
         0, 5, 10, 180, 70, 1005, L"LISTBOX", L""},
        {base | WS_TABSTOP | BS_PUSHBUTTON, 0, 5, 85, 30, 15, 1007, L"BUTTON", L"新規(&N)"},
        {base | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 40, 85, 30, 15, 1008, L"BUTTON", L"更新(&U)"},
        {base | WS_TABSTOP | BS_PUSHBUTTON, 0, 155, 85, 30, 15, 1009, L"BUTTON", L"削除(&D)"},
        {base | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 5, 100, 180, 15, 1000, L"EDIT", L""},
        {base | WS_GROUP | SS_LEFT, 0, 5, 120, 50, 10, -1, L"STATIC", L"&Font List"},
        {base | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT |
             LBS_DISABLENOSCROLL,
         0, 5, 130, 80, 81, 1010, L"LISTBOX", L""},
        {base | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_CENTER, 0, 90, 130, 26, 13, 1011, L"EDIT", L""},
        {base | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 90, 150, 30, 12, 1012, L"BUTTON", L"&Bold"},
        {base | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 90, 165, 30, 12, 1013, L"BUTTON", L"&Italic"},
        {base | WS_GROUP | SS_LEFT, 0, 90, 185, 45, 10, -1, L"STATIC", L"s&Peed"},
        {base | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 90, 196, 45, 72, 1014, L"COMBOBOX", L""},
        {base | WS_TABSTOP | BS_PUSHBUTTON, 0, 145, 175, 40, 15, IDOK, L"BUTTON", L"OK"},
        {base | WS_TABSTOP | BS_PUSHBUTTON, 0, 145, 195, 40, 15, IDCANCEL, L"BUTTON", L"ｷｬﾝｾﾙ"},
    };
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(IDD_TEXT_SETTINGS, t));
    ExpectControls(t, expected);
}

} // namespace
