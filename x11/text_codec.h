// Text between the encodings Linux uses and the UTF-16 the savers draw:
// UTF-8 (files, face names, the locale-free command line) and the
// code-page-932 bytes of the built-in strings, all through iconv.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text_char.h"
#include "text_list.h"

// UTF-8 bytes into at most capacity UTF-16 units; the count, or -1 when the
// bytes are not valid UTF-8 or do not fit. No terminator is written.
int32_t Utf8ToUtf16(const char* text, size_t bytes, TextChar* out, int32_t capacity);

// Zero-terminated UTF-16 into size bytes of zero-terminated UTF-8; false
// (with an empty text) when it does not fit. A lone surrogate becomes U+FFFD.
bool Utf16ToUtf8(const TextChar* text, char* out, size_t size);

// Appends UTF-8 text as a new entry of list; false when the text is empty,
// not UTF-8, or memory ran out (the list is then unchanged).
bool AddUtf8Text(TextList& list, const char* text, size_t bytes, int32_t speed, const EntryHooks& hooks);

// Appends code-page-932 bytes (zero-terminated) as a new entry; false as
// above.
bool AddCp932Text(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks);
