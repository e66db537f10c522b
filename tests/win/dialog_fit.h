// Whether every text of a live dialog fits its control, measured as the
// dialog draws it: GetTextExtentPoint32W with the control's own font against
// the control's client width, less what the control draws beside the text.
#pragma once

#include <windows.h>

// Fails the running test for each control whose text (a label, a button,
// a check or radio button, a group box's title, a drop-down list's items)
// is wider than the room its control gives it. Edits and list boxes hold
// the user's data and are not judged.
void ExpectEveryTextFits(HWND dialog);
