// One 16-bit unit of UTF-16 text: the Windows wide character where the
// drawing happens on Windows, the same 16-bit unit elsewhere.
#pragma once

#if defined(_WIN32)
using TextChar = wchar_t;
#else
using TextChar = char16_t;
#endif
static_assert(sizeof(TextChar) == 2, "text is held as UTF-16");
