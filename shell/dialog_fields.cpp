#include "dialog_fields.h"

#include <cstring>

#include "shown_text.h"
#include "table_saver.h"

namespace {

const DialogField* FieldOf(int32_t setting)
{
    for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i)
        if (ProgramWindows.Fields[i].Setting == setting) return &ProgramWindows.Fields[i];
    return nullptr;
}

bool IsRadioGroup(const DialogField& f) { return f.LastControl > f.Control; }

bool IsList(HWND dialog, const DialogField& f)
{
    char type[16] = "";
    GetClassNameA(GetDlgItem(dialog, f.Control), type, sizeof type);
    return lstrcmpiA(type, "ComboBox") == 0;
}

// Every message box of a dialog is captioned with the program's name and
// speaks the dialog's language.
void Say(HWND dialog, const UiText& text)
{
    wchar_t caption[64] = L"";
    MultiByteToWideChar(CP_ACP, 0, ProgramWindows.Table.Name, -1, caption, 64);
    MessageBoxW(dialog, ShownText(ProgramWindows.Table, text), caption, MB_ICONERROR);
}

void ShowField(HWND dialog, const DialogField& f, const SettingSpec& s, int32_t value)
{
    if (s.Kind == SettingKind::Flag) {
        CheckDlgButton(dialog, f.Control, value ? BST_CHECKED : BST_UNCHECKED);
    } else if (s.Kind == SettingKind::Choice && IsRadioGroup(f)) {
        CheckRadioButton(dialog, f.Control, f.LastControl, f.Control + value - s.Min);
    } else if (s.Kind == SettingKind::Choice && IsList(dialog, f)) {
        HWND box = GetDlgItem(dialog, f.Control);
        SendMessageW(box, CB_RESETCONTENT, 0, 0);
        for (int32_t k = 0; k <= s.Max - s.Min; ++k)
            SendMessageW(box, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ShownText(ProgramWindows.Table, s.Choices[k].Label)));
        // A value out of range selects nothing.
        SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(value - s.Min), 0);
    } else {
        SetDlgItemInt(dialog, f.Control, static_cast<UINT>(value), FALSE);
    }
}

// What the field holds now; a choice with nothing selected keeps value as
// radio buttons, or stores one below Min as a list.
int32_t TakeField(HWND dialog, const DialogField& f, const SettingSpec& s, int32_t value)
{
    if (s.Kind == SettingKind::Flag) return IsDlgButtonChecked(dialog, f.Control) == BST_CHECKED ? 1 : 0;
    if (s.Kind == SettingKind::Choice && IsRadioGroup(f)) {
        for (int id = f.Control; id <= f.LastControl; ++id)
            if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) value = s.Min + (id - f.Control);
        return value;
    }
    if (s.Kind == SettingKind::Choice && IsList(dialog, f))
        return static_cast<int32_t>(SendDlgItemMessageW(dialog, f.Control, CB_GETCURSEL, 0, 0)) + s.Min;
    // Text that is no number reads as 0; numbers past 2^31 come back negative.
    return static_cast<int32_t>(GetDlgItemInt(dialog, f.Control, nullptr, FALSE));
}

} // namespace

void ShowFields(HWND dialog)
{
    const TableSettings& settings = ProgramSettings();
    for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i) {
        const DialogField& f = ProgramWindows.Fields[i];
        ShowField(dialog, f, settings.Table.Settings[f.Setting], settings.Values.Numbers[f.Setting]);
    }
}

bool TakeFields(HWND dialog, SettingValues& edits)
{
    const TableSettings& settings = ProgramSettings();
    std::memcpy(edits.Numbers, settings.Values.Numbers, sizeof edits.Numbers);
    for (int32_t i = 0; i < ProgramWindows.FieldCount; ++i) {
        const DialogField& f = ProgramWindows.Fields[i];
        edits.Numbers[f.Setting] = TakeField(dialog, f, settings.Table.Settings[f.Setting], edits.Numbers[f.Setting]);
    }
    // Refused in schema order; the user stays in the dialog, on the field
    // at fault. A number above the bound is taken: loading brings it down.
    for (int32_t i = 0; i < settings.Table.SettingCount; ++i) {
        const SettingSpec& s = settings.Table.Settings[i];
        const DialogField* f = FieldOf(i);
        if (!f || !s.Refusal.Japanese || edits.Numbers[i] >= s.Min) continue;
        Say(dialog, s.Refusal);
        SetFocus(GetDlgItem(dialog, f->Control));
        return false;
    }
    return true;
}

bool SaveOrSay(HWND dialog, SettingValues& edits, const char* face, bool withStrings)
{
    if (ProgramSettings().SaveEdits(edits, face, withStrings)) return true;
    // Nothing was stored and the settings are as they were: the user may
    // try again or cancel.
    Say(dialog, SaveFailedText);
    return false;
}

INT_PTR CALLBACK FieldsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowFields(dialog);
        if (ProgramWindows.FieldCount > 0) SetFocus(GetDlgItem(dialog, ProgramWindows.Fields[0].Control));
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            SettingValues edits;
            if (TakeFields(dialog, edits) && SaveOrSay(dialog, edits, nullptr, false)) EndDialog(dialog, 1);
        }
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
        break;
    default:
        break;
    }
    // FALSE after WM_INITDIALOG too: the focus has been set here.
    return FALSE;
}
