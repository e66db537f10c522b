// The "Setting" dialog: one edit for the number of mass points.
#include "orbel_settings.h"
#include "resource.h"

namespace {

// Shown through the wide interface so that it reads right whatever the
// system's ANSI code page.
const wchar_t CountTooSmall[] = L"質点の数は１以上にして下さい";

void FocusCount(HWND dialog) { SetFocus(GetDlgItem(dialog, IDC_COUNT)); }

// The typed number goes into Count as it is; below 1 (an empty or
// non-numeric edit reads 0, 2147483648 and up read negative) it is refused.
bool AcceptCount(HWND dialog)
{
    OrbelSettings& s = Orbel();
    s.Count = static_cast<int32_t>(GetDlgItemInt(dialog, IDC_COUNT, nullptr, FALSE));
    if (s.Count < 1) {
        MessageBoxW(dialog, CountTooSmall, L"Orbel", MB_ICONERROR);
        FocusCount(dialog);
        return false;
    }
    // A failed save closes the dialog all the same; nothing is reported.
    s.SaveToRegistry();
    return true;
}

} // namespace

INT_PTR CALLBACK OrbelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemInt(dialog, IDC_COUNT, static_cast<UINT>(Orbel().Count), FALSE);
        FocusCount(dialog);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && AcceptCount(dialog)) EndDialog(dialog, 1);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        break;
    default:
        break;
    }
    return FALSE;
}
