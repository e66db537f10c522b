// The build's generator of a Windows program's string table: every text of
// the saver's table (the build names it as ZAMVEL_SAVER_TABLE) at its place
// (table_texts.h), once in Japanese (1041) and once in US English (1033),
// as a UTF-8 resource script that the program's own script includes. Each
// string carries its terminator, so that the program can show it from the
// resources as it is. Nothing is written, and the build fails, when a text
// lacks one of its forms or cannot be carried whole.
//
//   string_table_NAME OUT.rc
#include <cstdio>
#include <cstring>
#include <string>

#include "table_texts.h"
#include "text_codec.h"

extern const SaverTable ZAMVEL_SAVER_TABLE;

namespace {

constexpr size_t MaxTextBytes = 4096;
constexpr int32_t MaxTextUnits = 4096;

// The same UTF-16 units, both zero-terminated.
bool SameText(const char16_t* a, const TextChar* b)
{
    for (; *a && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

// form as a quoted resource string ending in its terminator ("...\0"), or
// false with why: no form, an empty one, a control character other than a
// line feed, or text that does not come back whole from UTF-8.
bool Quoted(const char16_t* form, std::string& out, const char*& why)
{
    if (!form || !*form) return why = "is missing", false;
    char utf8[MaxTextBytes];
    TextChar back[MaxTextUnits];
    int32_t units = -1;
    if (Utf16ToUtf8(form, utf8, sizeof utf8)) units = Utf8ToUtf16(utf8, std::strlen(utf8), back, MaxTextUnits - 1);
    if (units < 0) return why = "is too long", false;
    back[units] = 0;
    // A lone surrogate came out as U+FFFD.
    if (!SameText(form, back)) return why = "is no whole UTF-16", false;
    out = "\"";
    for (const char* p = utf8; *p; ++p) {
        if (*p == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(*p) < 0x20 || *p == 0x7F) {
            return why = "holds a control character", false;
        } else {
            // A quote is doubled, a backslash escaped.
            if (*p == '"') out += '"';
            if (*p == '\\') out += '\\';
            out += *p;
        }
    }
    out += "\\0\"";
    return true;
}

// The table's strings in one language as a STRINGTABLE block; false after
// saying which text could not be written.
bool AppendLanguage(std::string& script, bool japanese)
{
    script += japanese ? "\n// Japanese (1041)\nLANGUAGE 0x11, 0x01\n" : "\n// US English (1033)\nLANGUAGE 0x09, 0x01\n";
    script += "STRINGTABLE\nBEGIN\n";
    for (int32_t place = 0; const UiText* text = TableText(ZAMVEL_SAVER_TABLE, place); ++place) {
        std::string quoted;
        const char* why = "";
        if (!Quoted(japanese ? text->Japanese : text->English, quoted, why)) {
            char shown[MaxTextBytes] = "";
            const char16_t* other = japanese ? text->English : text->Japanese;
            if (other) Utf16ToUtf8(other, shown, sizeof shown);
            std::fprintf(stderr, "%s: text %d (\"%s\"): its %s form %s\n", ZAMVEL_SAVER_TABLE.Name,
                         static_cast<int>(place), shown, japanese ? "Japanese" : "English", why);
            return false;
        }
        script += "    " + std::to_string(FirstTextString + place) + ", " + quoted + "\n";
    }
    script += "END\n";
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.rc\n", argv[0]);
        return 2;
    }
    std::string script = std::string("// ") + ZAMVEL_SAVER_TABLE.Name +
                         "'s strings, written from its table as it is built: every text of the table\n"
                         "// at its place (shell/table_texts.h). Edit the table, not this.\n"
                         "#pragma code_page(65001)\n";
    if (!AppendLanguage(script, true) || !AppendLanguage(script, false)) return 1;
    FILE* out = std::fopen(argv[1], "wb");
    const bool written = out && std::fwrite(script.data(), 1, script.size(), out) == script.size();
    if ((out && std::fclose(out) != 0) || !written) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
