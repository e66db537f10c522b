// The text settings' rules that need no Windows: the speed range and the
// text held in one "List" value.
#pragma once

#include <cstdint>

constexpr int32_t MinSpeed = 1;
constexpr int32_t MaxSpeed = 5;
constexpr int32_t DefaultSpeed = 3;

// The font's cell height as a run uses it. Below 6 it is raised to 6. Above
// MaxFontSize it is cut: glyphs that tall take wine's 32-bit drawing from
// about 11 ms a frame (Glyra2 at 400, six strings) to 30-45 ms at 600 and
// 1000, and seconds for the first glyph of a height in the tens of
// thousands, while the frame comes every 50 ms and a key press must end the
// run at once. 400 pixels is still taller than any text a screen needs, and
// Glyra2's table holds one font (and one DC) per height: 800 GDI objects.
constexpr int32_t MinFontSize = 6;
constexpr int32_t MaxFontSize = 400;

// A "List" value name is read into 6 characters, terminator included, so a
// name of 6 or more characters ends the loading.
constexpr uint32_t ListNameCapacity = 6;
// One text in loading, saving and the dialog: 260 bytes, terminator included.
constexpr uint32_t TextBufferSize = 260;

// A stored speed outside 1..5 is brought to the nearer end of the range.
int32_t ClampSpeed(int32_t speed);

// A font size brought into MinFontSize..MaxFontSize.
int32_t ClampFontSize(int32_t size);

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
