// The language the Linux programs speak to their user: Japanese under a
// Japanese locale (ja_*), English under any other. The locale is the one
// POSIX names for messages: LC_ALL, else LC_MESSAGES, else LANG, the first
// that is set and not empty.
#pragma once

#include <cstddef>

#include "setting_schema.h"

enum class Language { English, Japanese };

// The user's language now. A Japanese locale of another code set than
// UTF-8 (ja_JP.eucJP) gets English: the programs write UTF-8, and English
// reads right on any terminal.
Language UserLanguage();

// The form of a table's text in the user's language as UTF-8, into size
// bytes; empty when it does not fit.
void ShownText(const UiText& text, char* out, size_t size);
