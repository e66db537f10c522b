// The "Setting" dialog of Worms (resource 102).
#pragma once

#include <windows.h>

// Shows the current settings; OK checks and saves them, Cancel writes nothing.
INT_PTR CALLBACK WormsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog modally, owned by the settings' ParentWindow.
INT_PTR RunSettingsDialog(HINSTANCE instance);
