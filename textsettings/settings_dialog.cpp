#include "settings_dialog.h"

#include "ansi_text.h"
#include "dialog_fields.h"
#include "settings_dialog_ids.h"
#include "text_rules.h"
#include "text_schema.h"

const DialogField TextDialogFields[TextDialogFieldCount] = {
    {TextFontSize, IDC_FONT_SIZE, IDC_FONT_SIZE},
    {TextBold, IDC_BOLD_CHECK, IDC_BOLD_CHECK},
    {TextItalic, IDC_ITALIC_CHECK, IDC_ITALIC_CHECK},
    {TextSpeed, IDC_SPEED_BOX, IDC_SPEED_BOX},
};

namespace {

HWND StringList(HWND dialog) { return GetDlgItem(dialog, IDC_STRING_LIST); }

// A line of a list box into size bytes. Only a line that fits is read, so a
// longer one (the dialog never adds one) cannot overrun the buffer; then
// the buffer keeps what it held and the result is false.
bool ReadLine(HWND list, int index, char* out, int size)
{
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length >= size) return false;
    return SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out)) != LB_ERR;
}

// The edit field's text in the system's ANSI code page, cut to at most 259
// bytes after its last whole character. Read as UTF-16 first: twice the
// buffer's units always hold more than 259 bytes' worth.
void ReadEdit(HWND dialog, char (&out)[TextBufferSize])
{
    wchar_t wide[2 * TextBufferSize];
    const int units = GetDlgItemTextW(dialog, IDC_TEXT_EDIT, wide, 2 * TextBufferSize);
    TextToAnsi(wide, units, out, TextBufferSize);
}

void ClearEdit(HWND dialog) { SetDlgItemTextA(dialog, IDC_TEXT_EDIT, ""); }

void FocusEdit(HWND dialog) { SetFocus(GetDlgItem(dialog, IDC_TEXT_EDIT)); }

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    // Some systems report a family once per character set or style: each
    // name is listed once.
    HWND list = reinterpret_cast<HWND>(lParam);
    const LPARAM face = reinterpret_cast<LPARAM>(font->lfFaceName);
    if (SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), face) == LB_ERR)
        SendMessageA(list, LB_ADDSTRING, 0, face);
    return 1;
}

void FillStringList(HWND dialog, const TableSettings& s)
{
    HWND list = StringList(dialog);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const TextEntry* e = s.Values.Strings.Head.get(); e; e = e->Next.get()) {
        char text[TextBufferSize];
        TextToAnsi(e->Text.get(), e->Length, text, TextBufferSize);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void FillFontList(HWND dialog, const TableSettings& s)
{
    HWND list = GetDlgItem(dialog, IDC_FONT_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // Painted once, after every family is in.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    HDC dc = GetDC(dialog);
    EnumFontFamiliesA(dc, nullptr, AddFamily, reinterpret_cast<LPARAM>(list));
    ReleaseDC(dialog, dc);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    // The first family, in sorted order, that begins with the stored name
    // without regard to case; none when no family does.
    SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.FaceName));
}

// New: back to the state in which Update appends.
void NewLine(HWND dialog)
{
    SendMessageA(StringList(dialog), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ClearEdit(dialog);
    FocusEdit(dialog);
}

// Update: with no line selected the edit field's text is appended; with one
// selected it replaces that line, which stays selected.
void UpdateLine(HWND dialog, int selected)
{
    HWND list = StringList(dialog);
    char text[TextBufferSize];
    ReadEdit(dialog, text);
    if (selected == LB_ERR) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    } else {
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
    ClearEdit(dialog);
    FocusEdit(dialog);
}

// Delete: the selected line goes and no line is selected afterwards; the
// focus stays where it was.
void DeleteLine(HWND dialog, int selected)
{
    if (selected == LB_ERR) return;
    HWND list = StringList(dialog);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ClearEdit(dialog);
}

void CopyLineToEdit(HWND dialog, int selected)
{
    char text[TextBufferSize] = "";
    if (ReadLine(StringList(dialog), selected, text, TextBufferSize)) SetDlgItemTextA(dialog, IDC_TEXT_EDIT, text);
}

void OnCommand(HWND dialog, WORD id, WORD code)
{
    const int selected = static_cast<int>(SendMessageA(StringList(dialog), LB_GETCURSEL, 0, 0));
    switch (id) {
    case IDC_STRING_LIST:
        if (code == LBN_SELCHANGE && selected != LB_ERR) CopyLineToEdit(dialog, selected);
        break;
    case IDC_NEW_BUTTON:
        NewLine(dialog);
        break;
    case IDC_UPDATE_BUTTON:
        UpdateLine(dialog, selected);
        break;
    case IDC_DELETE_BUTTON:
        DeleteLine(dialog, selected);
        break;
    case IDOK:
        // A failed save keeps the dialog open: the user may try again.
        if (ApplyDialog(dialog)) EndDialog(dialog, 1);
        break;
    case IDCANCEL:
        // Nothing has been changed, in memory or in the registry.
        EndDialog(dialog, 0);
        break;
    default:
        break;
    }
}

} // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillDialog(dialog);
        break;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        break;
    default:
        break;
    }
    // FALSE for WM_INITDIALOG too: the dialog manager sets no first focus.
    return FALSE;
}

void FillDialog(HWND dialog)
{
    const TableSettings& s = ProgramSettings();
    FillStringList(dialog, s);
    ClearEdit(dialog);
    FillFontList(dialog, s);
    // The size, the styles and the speed; the speed's names in the dialog's
    // language, reading right whatever the system's ANSI code page.
    ShowFields(dialog);
}

bool ApplyDialog(HWND dialog)
{
    // The new list is built beside the old one and replaces it only whole: a
    // line that cannot become an entry (no memory) would be lost from the
    // stored list, so then the old list is kept and saved as it was. Empty
    // lines make no entry.
    SettingValues edits;
    bool whole = true;
    HWND list = StringList(dialog);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[TextBufferSize] = "";
        if (!ReadLine(list, i, text, TextBufferSize) ||
            (text[0] && !AddAnsiText(edits.Strings, text, CP_ACP, 0, NoEntryState)))
            whole = false;
    }
    // With no family selected the stored name stays.
    char face[sizeof ProgramSettings().FaceName] = "";
    HWND fonts = GetDlgItem(dialog, IDC_FONT_LIST);
    const int selected = static_cast<int>(SendMessageA(fonts, LB_GETCURSEL, 0, 0));
    const bool faceTaken = selected != LB_ERR && ReadLine(fonts, selected, face, sizeof face);
    // An empty size field stores 0, which each run raises; no speed selected
    // stores 0, which loading brings back into 1..5. Nothing is refused.
    TakeFields(dialog, edits);
    return SaveOrSay(dialog, edits, faceTaken ? face : nullptr, whole);
}
