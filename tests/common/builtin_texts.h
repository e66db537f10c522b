// The built-in strings added as the runs' platforms add them, but without
// their decoder: each byte becomes one character. Enough for tests of what a
// run does with its strings, not of how they read.
#pragma once

#include <cstring>

#include "text_list.h"

inline bool AddBytesAsText(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks)
{
    const int32_t length = static_cast<int32_t>(std::strlen(bytes));
    TextChar* text = list.AllocateText(length);
    if (!text) return false;
    for (int32_t i = 0; i <= length; ++i) text[i] = static_cast<TextChar>(static_cast<unsigned char>(bytes[i]));
    return list.Append(text, length, speed, hooks);
}
