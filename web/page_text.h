// Code-page-932 text decoded by the browser (its Shift_JIS decoder is
// Windows' code page 932), for the text savers' built-in strings.
#pragma once

#include <cstdint>

#include "text_list.h"

// Appends the zero-terminated bytes as a new entry of list; false when they
// are empty or memory ran out (the list is then unchanged).
bool AddPageCp932Text(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks);
