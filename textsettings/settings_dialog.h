// The one "Setting" dialog of both text savers: the string list with New,
// Update and Delete, the font face, size, bold and italic, and the speed.
// The dialog keeps no state of its own: the controls hold the edits until
// OK rebuilds the settings from them and saves, or Cancel drops them.
// RunSettingsDialog, each text saver's hook, shows it modally.
#pragma once

#include <windows.h>

#include "text_settings.h"

// Supplied once by each text saver: the settings object the dialog edits,
// and the five labels of its speed box as code-page-932 bytes (label k
// stands for Speed k + 1).
TextSettings& TextSaverSettings();
const char* const* TextSaverSpeedLabels();

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog modally, owned by the settings' ParentWindow.
INT_PTR RunSettingsDialog(HINSTANCE instance);

// Fills the controls from the settings object.
void FillDialog(HWND dialog);
// Rebuilds the string list and the font and speed values from the
// controls and saves them; always true. A list that cannot be rebuilt
// whole (no memory for an entry) stays as it was.
bool ApplyDialog(HWND dialog);
