#include "shown_text.h"

#include "ansi_text.h"
#include "table_saver.h"

namespace {

// Whether the resource loader takes the Japanese template of the program's
// dialog: the one DialogBoxParamW finds is the one asked for in Japanese,
// which every program carries (the dialog it was made with). A program
// without a dialog speaks English.
bool SpeaksJapanese()
{
    HMODULE program = GetModuleHandleW(nullptr);
    LPCWSTR dialog = MAKEINTRESOURCEW(ProgramWindows.DialogId);
    HRSRC shown = FindResourceW(program, dialog, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    return shown &&
           shown == FindResourceExW(program, MAKEINTRESOURCEW(5), dialog, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
}

} // namespace

const wchar_t* ShownText(const UiText& text)
{
    return Wide(SpeaksJapanese() || !text.English ? text.Japanese : text.English);
}
