// Text between the system's ANSI code page, the form the registry and the
// dialogs' list controls hold it in, and the UTF-16 the savers draw.
#pragma once

#include <windows.h>

#include <cstdint>

#include "text_list.h"

// The code page of the texts stored before any user chose them (the default
// face name): Japanese, whatever the system's own.
constexpr UINT StoredDefaultCodePage = 932;

// Appends text, of codePage, to list as a new entry whose state hooks build
// with speed; false when the text is empty or memory ran out (the list is
// then unchanged).
bool AddAnsiText(TextList& list, const char* text, UINT codePage, int32_t speed, const EntryHooks& hooks);

// A text converted to the system's ANSI code page into size bytes, always
// zero-terminated; a text too long for the buffer is cut after its last
// whole character that fits. The result is the byte count.
int32_t TextToAnsi(const TextChar* text, int32_t length, char* out, int32_t size);

// Whether a byte starts a two-byte character of the system's ANSI code page.
bool IsAnsiLeadByte(unsigned char byte);

// A text of the core (UTF-16) as the wide interface takes it.
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide interface takes UTF-16");
