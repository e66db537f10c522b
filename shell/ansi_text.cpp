#include "ansi_text.h"

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

bool AddAnsiText(TextList& list, const char* text, UINT codePage, int32_t speed, const EntryHooks& hooks)
{
    if (!text) return false;
    const int units = MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, nullptr, 0);
    // The count includes the terminator: 1 is an empty text, 0 a failure.
    if (units <= 1) return false;
    TextChar* wide = list.AllocateText(units - 1);
    if (!wide) return false;
    if (MultiByteToWideChar(codePage, MB_PRECOMPOSED, text, -1, wide, units) != units) wide[0] = 0;
    // An empty text is refused, and the list frees it.
    return list.Append(wide, wide[0] ? units - 1 : 0, speed, hooks);
}

int32_t TextToAnsi(const TextChar* text, int32_t length, char* out, int32_t size)
{
    if (!out || size <= 0) return 0;
    out[0] = '\0';
    // A buffer of one byte holds only the terminator (and a conversion into
    // no bytes would only measure the text).
    if (!text || length <= 0 || size == 1) return 0;
    // The whole text in one call as a rule; only a text too long for the
    // buffer is shortened, one unit at a time and never inside a surrogate
    // pair.
    for (int32_t count = length; count > 0; --count) {
        if (count < length && IS_HIGH_SURROGATE(text[count - 1])) continue;
        const int got = WideCharToMultiByte(CP_ACP, 0, text, count, out, size - 1, nullptr, nullptr);
        if (got > 0) {
            out[got] = '\0';
            return got;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    }
    out[0] = '\0';
    return 0;
}
