#include "table_program.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "frame_texts.h"
#include "text_codec.h"
#include "text_hack.h"
#include "user_language.h"

namespace {

bool IsWordChoice(const SettingSpec& s) { return s.Kind == SettingKind::Choice && ChoiceWord(s, s.Min); }

// "clear|none|smear".
void Words(const SettingSpec& s, char* out, size_t size)
{
    out[0] = '\0';
    for (int32_t v = s.Min; v <= s.Max; ++v) {
        const size_t used = std::strlen(out);
        std::snprintf(out + used, size - used, "%s%s", v == s.Min ? "" : "|", ChoiceWord(s, v));
    }
}

void MakeOption(const SettingSpec& s, HackOption& o, char (&argument)[96], char (&help)[320])
{
    char what[256], range[160];
    ShownText(s.Help, what, sizeof what);
    RangeText(s, range, sizeof range);
    o.Name = s.Option;
    o.Argument = argument;
    o.Help = help;
    switch (s.Kind) {
    case SettingKind::Number:
    case SettingKind::Choice:
        o.Kind = IsWordChoice(s) ? OptionKind::Text : OptionKind::Number;
        if (IsWordChoice(s)) {
            Words(s, argument, sizeof argument);
            std::snprintf(help, sizeof help, FrameSays(FrameText::HelpWithDefault), what, ChoiceWord(s, s.Default));
        } else {
            // "1 (Very fast) to 5 (Very slow): ..." for numbered choices,
            // "..., 1 to 90" for numbers.
            std::snprintf(argument, sizeof argument, "N");
            std::snprintf(help, sizeof help,
                          FrameSays(s.Kind == SettingKind::Choice ? FrameText::ChoiceHelp : FrameText::NumberHelp),
                          what, range, s.Default);
        }
        break;
    case SettingKind::Flag:
        o.Kind = OptionKind::Flag;
        o.Argument = nullptr;
        std::snprintf(help, sizeof help, "%s", what);
        break;
    case SettingKind::Face: {
        char face[128];
        if (!Utf16ToUtf8(s.PortableFace, face, sizeof face)) face[0] = '\0';
        o.Kind = OptionKind::Text;
        std::snprintf(argument, sizeof argument, "FACE");
        std::snprintf(help, sizeof help, FrameSays(FrameText::HelpWithDefault), what, face);
        break;
    }
    case SettingKind::Strings:
        o.Kind = OptionKind::Text;
        std::snprintf(argument, sizeof argument, "FILE");
        std::snprintf(help, sizeof help, "%s", what);
        break;
    }
}

bool TakeNumber(const HackCommand& c, const OptionValue& v, const SettingSpec& s, int32_t& field)
{
    char text[1400], range[160];
    int32_t value = 0;
    switch (ReadSettingText(s, v.Text, value)) {
    case TextReading::Taken:
        break;
    case TextReading::NotANumber:
        std::snprintf(text, sizeof text,
                      FrameSays(s.Kind == SettingKind::Flag ? FrameText::NeitherTrueNorFalse : FrameText::NotAWholeNumber),
                      v.Text);
        SayAbout(c, v, text);
        return false;
    case TextReading::Bounded:
        // Said, and taken as a stored value loads on Windows.
        if (IsWordChoice(s)) {
            char words[96];
            Words(s, words, sizeof words);
            for (char* w = words; *w; ++w)
                if (*w == '|') *w = ',';
            std::snprintf(text, sizeof text, FrameSays(FrameText::NoneOfTheWords), words, ChoiceWord(s, value));
        } else {
            RangeText(s, range, sizeof range);
            std::snprintf(text, sizeof text, FrameSays(FrameText::OutOfRange), v.Text, range, value);
        }
        SayAbout(c, v, text);
        break;
    }
    field = value;
    return true;
}

bool TakeFace(const HackCommand& c, const OptionValue& v, SettingValues& values)
{
    const size_t bytes = std::strlen(v.Text);
    const int32_t n = bytes == 0 || bytes >= MaxFaceUnits ? -1 : Utf8ToUtf16(v.Text, bytes, values.Face, MaxFaceUnits - 1);
    if (n <= 0) {
        SayAbout(c, v, FrameSays(FrameText::FaceNeeded));
        return false;
    }
    values.Face[n] = 0;
    return true;
}

} // namespace

void RangeText(const SettingSpec& s, char* out, int32_t size)
{
    const size_t n = static_cast<size_t>(size);
    if (s.Kind != SettingKind::Choice || IsWordChoice(s)) {
        std::snprintf(out, n, FrameSays(FrameText::Range), s.Min, s.Max);
        return;
    }
    char low[64], high[64];
    ShownText(s.Choices[0].Label, low, sizeof low);
    ShownText(s.Choices[s.Max - s.Min].Label, high, sizeof high);
    std::snprintf(out, n, FrameSays(FrameText::ChoiceRange), s.Min, low, s.Max, high);
}

void MakeTableProgram(const SaverTable& table, TableProgram& out)
{
    std::snprintf(out.Config, sizeof out.Config, "%s", table.Name);
    for (char* p = out.Config; *p; ++p) *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    std::snprintf(out.Name, sizeof out.Name, "zamvel-%s", out.Config);
    int32_t order[MaxSettings];
    const int32_t count = ShownOrder(table, order);
    int32_t options = 0;
    for (int32_t k = 0; k < count && options < MaxOptions; ++k) {
        const SettingSpec& s = table.Settings[order[k]];
        if (!s.Option) continue;
        MakeOption(s, out.Options[options], out.Arguments[options], out.Helps[options]);
        out.Setting[options++] = order[k];
    }
    out.Program = HackProgram{out.Name, out.Config, table.Name, out.Options, options, table.OverDesktop, &table};
}

void DefaultTableValues(const SaverTable& table, SettingValues& values) { DefaultValues(table, values, true); }

bool TakeTableSettings(const HackCommand& c, const TableProgram& p, SettingValues& values)
{
    const SaverTable& table = *p.Program.Table;
    for (int32_t i = 0; i < p.Program.OptionCount; ++i) {
        const OptionValue* v = ValueOf(c, p.Options[i].Name);
        if (!v) continue;
        const int32_t setting = p.Setting[i];
        const SettingSpec& s = table.Settings[setting];
        bool ok = true;
        if (IsNumeric(s)) ok = TakeNumber(c, *v, s, values.Numbers[setting]);
        if (s.Kind == SettingKind::Face) ok = TakeFace(c, *v, values);
        if (s.Kind == SettingKind::Strings) {
            ok = LoadStringsFile(c, *v, values.Strings);
            if (ok && values.Strings.EntryCount == 0) SayAbout(c, *v, FrameSays(FrameText::NoStrings));
        }
        if (!ok) return false;
    }
    return true;
}
