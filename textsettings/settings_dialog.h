// The one "Setting" dialog of both text savers: the string list with New,
// Update and Delete, the font face, size, bold and italic, and the speed.
// The dialog keeps no state of its own: the controls hold the edits until
// OK takes them and saves, or Cancel drops them. The size, the styles and
// the speed are fields of the schema (dialog_fields.h); the lists are its own.
#pragma once

#include <windows.h>

#include "table_saver.h"

// The fields of the dialog, the same in both programs.
constexpr int32_t TextDialogFieldCount = 4;
extern const DialogField TextDialogFields[TextDialogFieldCount];

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the controls from the program's settings.
void FillDialog(HWND dialog);
// Takes the string list, the face and the fields from the controls and
// saves them; false when the save failed (the user has been told, and the
// settings are as they were). A list that cannot be rebuilt whole (no
// memory for an entry) is saved as it was.
bool ApplyDialog(HWND dialog);
