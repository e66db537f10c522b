#include "worms_dialog.h"

#include "resource.h"
#include "worms_settings.h"

namespace {

// Shown through the wide interface, as every text a user reads, so that
// they read right whatever the system's ANSI code page.
const wchar_t CountTooSmall[] = L"ワームの数は１以上にして下さい";
const wchar_t LengthTooSmall[] = L"ワームの長さは１以上にして下さい";

void ShowValues(HWND dialog)
{
    const WormsSettings& s = TheWormsSettings();
    SetDlgItemInt(dialog, IDC_WORMS_CNT, static_cast<UINT>(s.WormsCnt), FALSE);
    SetDlgItemInt(dialog, IDC_WORMS_LEN, static_cast<UINT>(s.WormsLen), FALSE);
    CheckRadioButton(dialog, IDC_TRAIL_CLEAR, IDC_TRAIL_SMEAR, IDC_TRAIL_CLEAR + s.Type);
    SetFocus(GetDlgItem(dialog, IDC_WORMS_CNT));
}

// The user stays in the dialog, on the field at fault.
void Refuse(HWND dialog, const wchar_t* text, int field)
{
    MessageBoxW(dialog, text, L"Worms", MB_ICONERROR);
    SetFocus(GetDlgItem(dialog, field));
}

// Takes the fields into the settings; true (after saving) when they hold.
// Text that is no number reads as 0; numbers past 2^31 come back negative.
bool AcceptValues(HWND dialog)
{
    WormsSettings& s = TheWormsSettings();
    s.WormsCnt = static_cast<int32_t>(GetDlgItemInt(dialog, IDC_WORMS_CNT, nullptr, FALSE));
    s.WormsLen = static_cast<int32_t>(GetDlgItemInt(dialog, IDC_WORMS_LEN, nullptr, FALSE));
    for (int id = IDC_TRAIL_CLEAR; id <= IDC_TRAIL_SMEAR; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) s.Type = id - IDC_TRAIL_CLEAR;

    if (s.WormsCnt < 1) {
        Refuse(dialog, CountTooSmall, IDC_WORMS_CNT);
        return false;
    }
    if (s.WormsLen < 1) {
        Refuse(dialog, LengthTooSmall, IDC_WORMS_LEN);
        return false;
    }
    // The dialog closes even when the key cannot be written.
    s.SaveToRegistry();
    return true;
}

} // namespace

INT_PTR CALLBACK WormsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowValues(dialog);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && AcceptValues(dialog)) EndDialog(dialog, 1);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        break;
    default:
        break;
    }
    // FALSE after WM_INITDIALOG too: the focus has been set here.
    return FALSE;
}

INT_PTR RunSettingsDialog(HINSTANCE instance)
{
    // The wide form, as Orbel's: the procedure handles no text itself.
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTING), TheWormsSettings().ParentWindow,
                           WormsDialogProc, 0);
}
