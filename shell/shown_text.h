// The language a program speaks to its user in: the one of its "Setting"
// dialog as Windows picks it, as it picks any resource language (the
// Japanese template under a Japanese UI language, the US English one under
// any other). Its messages and the texts it puts into the dialog follow the
// template, so they always read in the dialog's language; every text comes
// from the table, which holds both forms.
#pragma once

#include <windows.h>

#include "setting_schema.h"

// The form of text in that language, as the wide interface takes it.
const wchar_t* ShownText(const UiText& text);
