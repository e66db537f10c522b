#include "text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "failure_points.h"

namespace {

// TextChar's UTF-16, in the machine's byte order and without a byte-order
// mark.
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr char Utf16[] = "UTF-16LE";
#else
constexpr char Utf16[] = "UTF-16BE";
#endif
constexpr char Replacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// bytes of text in encoding from into at most size bytes of out in
// encoding to; how many bytes that took, or -1 when the text is not in its
// encoding (overlong UTF-8 and surrogates included), ends inside a
// character or does not fit.
int64_t Convert(const char* to, const char* from, const char* text, size_t bytes, char* out, size_t size)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return -1;
    char* in = const_cast<char*>(text);
    char* at = out;
    size_t inLeft = bytes, outLeft = size;
    const bool ok = iconv(cd, &in, &inLeft, &at, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    return ok ? static_cast<int64_t>(size - outLeft) : -1;
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

// bytes of text in encoding from, decoded and appended as a new entry.
bool AddText(TextList& list, const char* from, const char* text, size_t bytes, int32_t speed,
             const EntryHooks& hooks)
{
    if (!text || bytes == 0) return false;
    // Never more units than bytes, in UTF-8 as in code page 932.
    const size_t size = sizeof(TextChar) * bytes;
    TextChar* units = static_cast<TextChar*>(AllocateMemory(size));
    if (!units) return false;
    const int64_t n = Convert(Utf16, from, text, bytes, reinterpret_cast<char*>(units), size);
    const bool added = n > 0 && AppendUnits(list, units, static_cast<int32_t>(n / 2), speed, hooks);
    FreeMemory(units);
    return added;
}

} // namespace

int32_t Utf8ToUtf16(const char* text, size_t bytes, TextChar* out, int32_t capacity)
{
    const size_t size = sizeof(TextChar) * static_cast<size_t>(capacity > 0 ? capacity : 0);
    const int64_t n = Convert(Utf16, "UTF-8", text, bytes, reinterpret_cast<char*>(out), size);
    return n < 0 ? -1 : static_cast<int32_t>(n / 2);
}

bool Utf16ToUtf8(const TextChar* text, char* out, size_t size)
{
    if (!out || size == 0) return false;
    size_t units = 0;
    while (text && text[units]) ++units;
    iconv_t cd = iconv_open("UTF-8", Utf16);
    bool ok = cd != reinterpret_cast<iconv_t>(-1);
    char* in = reinterpret_cast<char*>(const_cast<TextChar*>(text));
    char* at = out;
    size_t inLeft = sizeof(TextChar) * units, outLeft = size - 1;  // and the terminator
    while (ok && inLeft > 0 && iconv(cd, &in, &inLeft, &at, &outLeft) == static_cast<size_t>(-1)) {
        // iconv stops at a lone surrogate: U+FFFD in its place.
        ok = errno != E2BIG && outLeft >= 3;
        if (!ok) break;
        std::memcpy(at, Replacement, 3);
        at += 3, outLeft -= 3;
        in += sizeof(TextChar), inLeft -= sizeof(TextChar);
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    *(ok ? at : out) = '\0';
    return ok;
}

bool AddUtf8Text(TextList& list, const char* text, size_t bytes, int32_t speed, const EntryHooks& hooks)
{
    return AddText(list, "UTF-8", text, bytes, speed, hooks);
}

bool AddCp932Text(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks)
{
    return AddText(list, "CP932", bytes, bytes ? std::strlen(bytes) : 0, speed, hooks);
}
