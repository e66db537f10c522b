#include "page_text.h"

#include <emscripten.h>

#include <cstring>

// The UTF-16 units of the bytes into out, or -1 when they exceed capacity.
EM_JS(int, ZamvelDecodeCp932, (const char* bytes, int length, char16_t* out, int capacity), {
    var text = new TextDecoder('shift_jis').decode(HEAPU8.subarray(bytes, bytes + length));
    if (text.length > capacity) return -1;
    for (var i = 0; i < text.length; ++i) HEAPU16[(out >> 1) + i] = text.charCodeAt(i);
    return text.length;
});

bool AddPageCp932Text(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks)
{
    const int length = bytes ? static_cast<int>(std::strlen(bytes)) : 0;
    if (length == 0) return false;
    // A byte is at most one unit.
    TextChar* text = list.AllocateText(length);
    if (!text) return false;
    const int units = ZamvelDecodeCp932(bytes, length, text, length);
    if (units > 0) text[units] = 0;
    // Takes the text back when there are no units.
    return list.Append(text, units > 0 ? units : 0, speed, hooks);
}
