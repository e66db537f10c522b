#include "text_codec.h"

#include <iconv.h>

#include <cstring>

#include "failure_points.h"

namespace {

// One code point from UTF-8 at text[at..bytes); false when invalid
// (overlong forms, surrogates and values past U+10FFFF included).
bool NextCodePoint(const unsigned char* text, size_t bytes, size_t& at, uint32_t& cp)
{
    const unsigned char lead = text[at];
    int more = 0;
    uint32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        cp = lead & 0x1F, more = 1, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        cp = lead & 0x0F, more = 2, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        cp = lead & 0x07, more = 3, min = 0x10000;
    } else {
        return false;
    }
    if (at + 1 + more > bytes) return false;
    for (int i = 1; i <= more; ++i) {
        const unsigned char c = text[at + i];
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    at += 1 + more;
    return true;
}

bool Put(char* out, size_t size, size_t& at, const char* bytes, size_t n)
{
    if (at + n >= size) return false;
    std::memcpy(out + at, bytes, n);
    at += n;
    return true;
}

// text (units long) appended to list as a new entry.
bool AppendUnits(TextList& list, const TextChar* units, int32_t length, int32_t speed, const EntryHooks& hooks)
{
    if (length <= 0) return false;
    TextChar* text = list.AllocateText(length);
    if (!text) return false;
    std::memcpy(text, units, sizeof(TextChar) * static_cast<size_t>(length));
    text[length] = 0;
    return list.Append(text, length, speed, hooks);
}

} // namespace

int32_t Utf8ToUtf16(const char* text, size_t bytes, TextChar* out, int32_t capacity)
{
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    int32_t n = 0;
    for (size_t at = 0; at < bytes;) {
        uint32_t cp = 0;
        if (!NextCodePoint(t, bytes, at, cp)) return -1;
        if (cp >= 0x10000) {
            if (n + 2 > capacity) return -1;
            cp -= 0x10000;
            out[n++] = static_cast<TextChar>(0xD800 + (cp >> 10));
            out[n++] = static_cast<TextChar>(0xDC00 + (cp & 0x3FF));
        } else {
            if (n + 1 > capacity) return -1;
            out[n++] = static_cast<TextChar>(cp);
        }
    }
    return n;
}

bool Utf16ToUtf8(const TextChar* text, char* out, size_t size)
{
    if (!out || size == 0) return false;
    size_t at = 0;
    bool ok = true;
    for (size_t i = 0; text && text[i] && ok; ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        char b[4];
        size_t n = 0;
        if (cp < 0x80) {
            b[n++] = static_cast<char>(cp);
        } else if (cp < 0x800) {
            b[n++] = static_cast<char>(0xC0 | (cp >> 6));
            b[n++] = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            b[n++] = static_cast<char>(0xE0 | (cp >> 12));
            b[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            b[n++] = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            b[n++] = static_cast<char>(0xF0 | (cp >> 18));
            b[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            b[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            b[n++] = static_cast<char>(0x80 | (cp & 0x3F));
        }
        ok = Put(out, size, at, b, n);
    }
    out[ok ? at : 0] = '\0';
    return ok;
}

bool AddUtf8Text(TextList& list, const char* text, size_t bytes, int32_t speed, const EntryHooks& hooks)
{
    if (!text || bytes == 0) return false;
    // Never more units than bytes.
    TextChar* units = static_cast<TextChar*>(AllocateMemory(sizeof(TextChar) * bytes));
    if (!units) return false;
    const int32_t length = Utf8ToUtf16(text, bytes, units, static_cast<int32_t>(bytes));
    const bool added = length > 0 && AppendUnits(list, units, length, speed, hooks);
    FreeMemory(units);
    return added;
}

bool AddCp932Text(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks)
{
    if (!bytes || !*bytes) return false;
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    // A code-page-932 character is one or two bytes, never more than three
    // bytes of UTF-8.
    const size_t inBytes = std::strlen(bytes), capacity = 3 * inBytes;
    char* utf8 = static_cast<char*>(AllocateMemory(capacity));
    bool added = false;
    if (utf8) {
        char* in = const_cast<char*>(bytes);
        char* out = utf8;
        size_t inLeft = inBytes, outLeft = capacity;
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            added = AddUtf8Text(list, utf8, capacity - outLeft, speed, hooks);
        FreeMemory(utf8);
    }
    iconv_close(cd);
    return added;
}
