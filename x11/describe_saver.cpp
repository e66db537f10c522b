// The build's generator of the xscreensaver settings descriptions: the
// description of a saver (zamvel-NAME.xml) written from its table, with
// the English labels of the English dialogs, as every description of
// xscreensaver is written in English, each setting as the widget its kind
// takes and the frame's delay and frame rate after them.
//
//   describe_saver NAME OUT.xml
#include <cstdio>
#include <string>
#include <strings.h>

#include "glyra2_table.h"
#include "glyra_table.h"
#include "hack_options.h"
#include "orbel_table.h"
#include "table_program.h"
#include "text_codec.h"
#include "worms_table.h"

namespace {

// The slider of the delay reaches 0.2 s; --delay itself takes up to MaxDelay.
constexpr int32_t SliderMaxDelay = 200000;
constexpr char16_t DelayLabel[] = u"Frame delay";
constexpr char16_t ShortLabel[] = u"Short";
constexpr char16_t LongLabel[] = u"Long";
constexpr char16_t FpsLabel[] = u"Show the frame rate";

// A text as the description shows it: UTF-8, with XML's special characters
// escaped.
std::string Shown(const char16_t* text)
{
    char utf8[2048];
    if (!text || !Utf16ToUtf8(text, utf8, sizeof utf8)) return "";
    std::string out;
    for (const char* p = utf8; *p; ++p) {
        switch (*p) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += *p;
        }
    }
    return out;
}

// A text of the table: its English form.
std::string Label(const UiText& text) { return Shown(text.English); }

// An XML id: the option without its dashes ("font-size" is "fontsize").
std::string Id(const char* option)
{
    std::string id;
    for (const char* p = option; *p; ++p)
        if (*p != '-') id += *p;
    return id;
}

void Widget(FILE* f, const SettingSpec& s)
{
    const std::string id = Id(s.Option), label = Label(s.Label);
    switch (s.Kind) {
    case SettingKind::Number:
        std::fprintf(f, "  <number id=\"%s\" type=\"spinbutton\" arg=\"--%s %%\" _label=\"%s\" low=\"%d\" high=\"%d\" "
                        "default=\"%d\"/>\n",
                     id.c_str(), s.Option, label.c_str(), s.Min, s.Max, s.Default);
        break;
    case SettingKind::Choice:
        // The default choice sets no option.
        std::fprintf(f, "  <select id=\"%s\">\n", id.c_str());
        for (int32_t v = s.Min; v <= s.Max; ++v) {
            const char* word = ChoiceWord(s, v);
            const std::string value = word ? word : std::to_string(v);
            const std::string choice = word ? word : id + value;
            const std::string shown = Label(s.Choices[v - s.Min].Label);
            if (v == s.Default)
                std::fprintf(f, "    <option id=\"%s\" _label=\"%s\"/>\n", choice.c_str(), shown.c_str());
            else
                std::fprintf(f, "    <option id=\"%s\" _label=\"%s\" arg-set=\"--%s %s\"/>\n", choice.c_str(),
                             shown.c_str(), s.Option, value.c_str());
        }
        std::fprintf(f, "  </select>\n");
        break;
    case SettingKind::Flag:
        std::fprintf(f, "  <boolean id=\"%s\" _label=\"%s\" arg-set=\"--%s\"/>\n", id.c_str(), label.c_str(), s.Option);
        break;
    case SettingKind::Face:
        std::fprintf(f, "  <string id=\"%s\" _label=\"%s\" arg=\"--%s %%\"/>\n", id.c_str(), label.c_str(), s.Option);
        break;
    case SettingKind::Strings:
        std::fprintf(f, "  <file id=\"%s\" _label=\"%s\" arg=\"--%s %%\"/>\n", id.c_str(), label.c_str(), s.Option);
        break;
    }
}

bool Describe(const SaverTable& table, FILE* f)
{
    TableProgram program;
    MakeTableProgram(table, program);
    std::fprintf(f, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    std::fprintf(f, "<screensaver name=\"%s\" _label=\"%s\">\n", program.Name, table.Name);
    std::fprintf(f, "  <command arg=\"--root\"/>\n\n");
    for (int32_t i = 0; i < program.Program.OptionCount; ++i) Widget(f, table.Settings[program.Setting[i]]);
    std::fprintf(f, "\n  <number id=\"delay\" type=\"slider\" arg=\"--delay %%\" _label=\"%s\" _low-label=\"%s\" "
                    "_high-label=\"%s\"\n          low=\"0\" high=\"%d\" default=\"%d\"/>\n",
                 Shown(DelayLabel).c_str(), Shown(ShortLabel).c_str(), Shown(LongLabel).c_str(), SliderMaxDelay,
                 DefaultDelay);
    std::fprintf(f, "  <boolean id=\"showfps\" _label=\"%s\" arg-set=\"--fps\"/>\n\n", Shown(FpsLabel).c_str());
    std::fprintf(f, "  <_description>\n%s\n  </_description>\n</screensaver>\n", Label(table.Description).c_str());
    return std::ferror(f) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    const SaverTable* const tables[] = {&Glyra2Table, &GlyraTable, &OrbelTable, &WormsTable};
    if (argc != 3) {
        std::fprintf(stderr, "usage: describe_saver NAME OUT.xml\n");
        return 2;
    }
    for (const SaverTable* t : tables) {
        if (strcasecmp(t->Name, argv[1]) != 0) continue;
        FILE* f = std::fopen(argv[2], "w");
        if (!f) {
            std::perror(argv[2]);
            return 1;
        }
        const bool written = Describe(*t, f);
        return std::fclose(f) == 0 && written ? 0 : 1;
    }
    std::fprintf(stderr, "describe_saver: no saver called %s\n", argv[1]);
    return 2;
}
