// Which of a program's two dialog templates a run shows, and whether a live
// dialog is that template: Windows takes the Japanese one where the user's
// UI language is Japanese and the US English one for any other.
#pragma once

#include <windows.h>

#include <string>

#include "setting_schema.h"

// The language of the templates this run's dialogs come from: Japanese
// (1041) under a Japanese UI language, US English (1033) under any other.
// A ctest run made for one UI language names it in
// ZAMVEL_EXPECT_UI_LANGUAGE (decimal) and fails when it gets another.
WORD ShownDialogLanguage();

// The form of a table's text that goes with those templates: the Japanese
// one under a Japanese UI language, the English one under any other; as
// UTF-16, and as UTF-8 (the form a message-box catcher reads).
const char16_t* ShownForm(const UiText& text);
std::string ShownUtf8(const UiText& text);

// Fails the running test unless the live dialog is template id in
// ShownDialogLanguage(), read from the program's own resources: the same
// caption, and each control in order with the template's id and, where the
// template gives one, its text as UTF-16.
void ExpectShowsItsTemplate(HWND dialog, WORD id);
