// The stored strings' rules that need no Windows: the text held in one
// value of the "List" sub-key, and the buffer one text takes.
#pragma once

#include <cstdint>

// A "List" value name is read into 6 characters, terminator included, so a
// name of 6 or more characters ends the loading.
constexpr uint32_t ListNameCapacity = 6;
// One text in loading, saving and the dialog: 260 bytes, terminator included.
constexpr uint32_t TextBufferSize = 260;

// Whether a byte starts a two-byte character in the code page in use.
using IsLeadByteFn = bool (*)(unsigned char);

// Bytes of text[0..length) that fit in limit bytes without splitting a
// two-byte character: whole characters are counted from the start.
int32_t WholeCharacterPrefix(const char* text, int32_t length, int32_t limit, IsLeadByteFn isLead);

// The text held by the data of one "List" value, count bytes read into a
// buffer of capacity bytes: it ends at the first zero byte. Data that fills
// the buffer without a zero leaves no room for the terminator; it is cut to
// capacity - 1 bytes, at a character boundary.
int32_t ListTextLength(const char* data, uint32_t count, uint32_t capacity, IsLeadByteFn isLead);
