// What every "Setting" dialog does with the fields the schema describes:
// each shown from the program's settings, taken back and checked against
// the schema with its message for a refused value, and the save, told to
// the user when it fails. The dialogs themselves stay resources.
#pragma once

#include <windows.h>

#include "saver_table.h"

// Every field of the program's dialog (ProgramWindows) from its settings.
void ShowFields(HWND dialog);

// The fields into edits.Numbers, over a copy of the settings' numbers.
// False when a value is refused: its message is shown (the program's name
// as the caption) and the focus is on its field.
bool TakeFields(HWND dialog, SettingValues& edits);

// edits saved (TableSettings::SaveEdits); when the save fails the user is
// told, nothing has changed and the result is false.
bool SaveOrSay(HWND dialog, SettingValues& edits, const char* face, bool withStrings);

// A dialog of fields alone (Orbel's, Worms'): opened with the focus on the
// first field; OK takes, checks and saves them and ends it, Cancel ends it
// with nothing written.
INT_PTR CALLBACK FieldsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
