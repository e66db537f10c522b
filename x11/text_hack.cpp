#include "text_hack.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "text_codec.h"
#include "text_rules.h"

const HackOption Glyra2TextOptions[TextOptionCount] = {
    {"speed", OptionKind::Number, "N", "1 (fast) to 5 (slow): how far apart the characters fly (default 3)"},
    {"font", OptionKind::Text, "FACE", "the characters' face (default IPAPMincho)"},
    {"font-size", OptionKind::Number, "N", "the nearest characters' height in pixels, 6 to 400 (default 48)"},
    {"bold", OptionKind::Flag, nullptr, "bold characters"},
    {"italic", OptionKind::Flag, nullptr, "italic characters"},
    {"strings", OptionKind::Text, "FILE", "a UTF-8 file, one string a line (default: the built-in strings)"},
};

const HackOption GlyraTextOptions[TextOptionCount] = {
    {"speed", OptionKind::Number, "N", "1 (fast) to 5 (slow): how fast the strings crawl (default 3)"},
    {"font", OptionKind::Text, "FACE", "the characters' face (default IPAPMincho)"},
    {"font-size", OptionKind::Number, "N", "the characters' height in pixels, 6 to 400 (default 32)"},
    {"bold", OptionKind::Flag, nullptr, "bold characters"},
    {"italic", OptionKind::Flag, nullptr, "italic characters"},
    {"strings", OptionKind::Text, "FILE", "a UTF-8 file, one string a line (default: the built-in strings)"},
};

TextHackSettings::TextHackSettings(int32_t fontSize) : Speed(DefaultSpeed), FontSize(fontSize)
{
    std::snprintf(Face, sizeof Face, "%s", LinuxDefaultFace);
}

namespace {

// A string holds what one text of the Windows settings holds: 259 units.
constexpr int32_t MaxUnits = static_cast<int32_t>(TextBufferSize) - 1;

bool TakeFlag(const HackCommand& c, const char* name, bool& field)
{
    const OptionValue* v = ValueOf(c, name);
    return !v || ReadFlag(c, *v, field);
}

// A line's text cut to MaxUnits units, never inside a surrogate pair.
int32_t CutUnits(const TextChar* units, int32_t length)
{
    if (length <= MaxUnits) return length;
    const bool split = units[MaxUnits - 1] >= 0xD800 && units[MaxUnits - 1] <= 0xDBFF;
    return split ? MaxUnits - 1 : MaxUnits;
}

void Warn(const HackCommand& c, const OptionValue& v, int number, const char* text)
{
    char message[256];
    std::snprintf(message, sizeof message, "line %d %s", number, text);
    SayAbout(c, v, message);
}

} // namespace

bool LoadStringsFile(const HackCommand& c, const OptionValue& v, TextList& list)
{
    FILE* f = std::fopen(v.Text, "rb");
    struct stat st {};
    const char* problem = !f ? std::strerror(errno)
                          : fstat(fileno(f), &st) != 0 ? std::strerror(errno)
                          : !S_ISREG(st.st_mode) ? "it is not a file"
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
            Warn(c, v, number, "is not UTF-8; left out");
            continue;
        }
        const int32_t kept = CutUnits(units, length);
        if (kept < length || take < n) Warn(c, v, number, "is longer than 259 characters; cut");
        TextChar* copy = list.AllocateText(kept);
        if (copy) {
            std::memcpy(copy, units, sizeof(TextChar) * static_cast<size_t>(kept));
            copy[kept] = 0;
        }
        // Append takes the text, and frees it when it fails.
        if (!copy || !list.Append(copy, kept, 0, NoEntryState)) problem = "there is not enough memory for its strings";
    }
    // getline ends at the end of the file, on a read error or without memory.
    if (!problem && !std::feof(f)) problem = std::strerror(errno);
    std::free(line);
    if (f) std::fclose(f);
    if (!problem) return true;
    char text[1200];
    std::snprintf(text, sizeof text, "cannot read \"%s\": %s", v.Text, problem);
    SayAbout(c, v, text);
    list.Release(NoEntryState);
    list.Reset();
    return false;
}

bool TakeTextSettings(const HackCommand& c, TextHackSettings& s)
{
    if (const OptionValue* v = ValueOf(c, "speed")) {
        int32_t n = 0;
        if (!ReadNumber(c, *v, n)) return false;
        // As a stored speed loads on Windows: to the nearer end of 1..5.
        s.Speed = Bounded(c, *v, n, ClampSpeed, "1 to 5");
    }
    if (const OptionValue* v = ValueOf(c, "font")) {
        if (!v->Text[0] || std::strlen(v->Text) >= sizeof s.Face) {
            SayAbout(c, *v, "a face name of 1 to 255 bytes is needed");
            return false;
        }
        std::snprintf(s.Face, sizeof s.Face, "%s", v->Text);
    }
    if (const OptionValue* v = ValueOf(c, "font-size")) {
        int32_t n = 0;
        if (!ReadNumber(c, *v, n)) return false;
        // Every run brings the size into 6..400, as on Windows; said here.
        s.FontSize = Bounded(c, *v, n, ClampFontSize, "6 to 400");
    }
    if (!TakeFlag(c, "bold", s.Bold) || !TakeFlag(c, "italic", s.Italic)) return false;
    if (const OptionValue* v = ValueOf(c, "strings")) {
        if (!LoadStringsFile(c, *v, s.List)) return false;
        if (s.List.EntryCount == 0) SayAbout(c, *v, "holds no string; showing the built-in strings");
    }
    return true;
}
