#include "text_hack.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame_texts.h"
#include "text_codec.h"
#include "text_rules.h"

namespace {

// A string holds what one text of the Windows settings holds: 259 units.
constexpr int32_t MaxUnits = static_cast<int32_t>(TextBufferSize) - 1;

// A line's text cut to MaxUnits units, never inside a surrogate pair.
int32_t CutUnits(const TextChar* units, int32_t length)
{
    if (length <= MaxUnits) return length;
    const bool split = units[MaxUnits - 1] >= 0xD800 && units[MaxUnits - 1] <= 0xDBFF;
    return split ? MaxUnits - 1 : MaxUnits;
}

void Warn(const HackCommand& c, const OptionValue& v, int number, FrameText text)
{
    char message[256];
    std::snprintf(message, sizeof message, FrameSays(text), number);
    SayAbout(c, v, message);
}

} // namespace

bool LoadStringsFile(const HackCommand& c, const OptionValue& v, TextList& list)
{
    FILE* f = std::fopen(v.Text, "rb");
    struct stat st {};
    const char* problem = !f ? std::strerror(errno)
                          : fstat(fileno(f), &st) != 0 ? std::strerror(errno)
                          : !S_ISREG(st.st_mode) ? FrameSays(FrameText::NotAFile)
                                                 : nullptr;
    char* line = nullptr;
    size_t capacity = 0;
    ssize_t got;
    TextChar units[4 * TextBufferSize];
    for (int number = 1; !problem && (got = getline(&line, &capacity, f)) >= 0; ++number) {
        size_t n = static_cast<size_t>(got);
        while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) --n;
        const char* text = line;
        // A byte-order mark some editors write first.
        if (number == 1 && n >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) text += 3, n -= 3;
        if (n == 0) continue;
        // Longer lines are cut anyway: only their start is decoded.
        const size_t take = n < sizeof units / sizeof units[0] ? n : 4 * MaxUnits;
        int32_t length = Utf8ToUtf16(text, take, units, static_cast<int32_t>(sizeof units / sizeof units[0]));
        if (length < 0 && take < n) {
            // Cut inside a character: back up to its first byte.
            size_t back = take;
            while (back > 0 && (static_cast<unsigned char>(text[back]) & 0xC0) == 0x80) --back;
            length = Utf8ToUtf16(text, back, units, static_cast<int32_t>(sizeof units / sizeof units[0]));
        }
        if (length < 0) {
            Warn(c, v, number, FrameText::LineNotUtf8);
            continue;
        }
        const int32_t kept = CutUnits(units, length);
        if (kept < length || take < n) Warn(c, v, number, FrameText::LineCut);
        TextChar* copy = list.AllocateText(kept);
        if (copy) {
            std::memcpy(copy, units, sizeof(TextChar) * static_cast<size_t>(kept));
            copy[kept] = 0;
        }
        // Append takes the text, and frees it when it fails.
        if (!copy || !list.Append(copy, kept, 0, NoEntryState)) problem = FrameSays(FrameText::NoMemoryForStrings);
    }
    // getline ends at the end of the file, on a read error or without memory.
    if (!problem && !std::feof(f)) problem = std::strerror(errno);
    std::free(line);
    if (f) std::fclose(f);
    if (!problem) return true;
    char text[1200];
    std::snprintf(text, sizeof text, FrameSays(FrameText::CannotRead), v.Text, problem);
    SayAbout(c, v, text);
    list.Reset();
    return false;
}
