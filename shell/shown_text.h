// The texts a program shows its user (its messages, the speed names it puts
// into its dialog), in the language Windows picks for it as it picks any
// resource language, its "Setting" dialog's included: each text is a string
// of the program's string table, written from its saver's table in
// Japanese and in US English (table_texts.h), and the resource loader takes
// the Japanese strings under a Japanese UI language, the English ones under
// any other.
#pragma once

#include <windows.h>

#include "saver_table.h"

// text, one of table's texts, as the program's string for it. Where the
// program has no such string (a program built without its resources) or
// text is none of the table's, the text's English form.
const wchar_t* ShownText(const SaverTable& table, const UiText& text);
