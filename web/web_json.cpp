#include "web_json.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A growing text; once memory runs out it stays failed and gives null.
class JsonText {
public:
    ~JsonText() { std::free(text_); }
    JsonText() = default;
    JsonText(const JsonText&) = delete;
    JsonText& operator=(const JsonText&) = delete;

    void Raw(const char* s)
    {
        const size_t n = std::strlen(s);
        if (!Room(n)) return;
        std::memcpy(text_ + used_, s, n + 1);
        used_ += n;
    }
    void Number(int32_t v)
    {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", v);
        Raw(digits);
    }
    // A JSON string of ASCII text, or null.
    void Ascii(const char* s)
    {
        if (!s) return Raw("null");
        Raw("\"");
        for (; *s; ++s) Unit(static_cast<unsigned char>(*s));
        Raw("\"");
    }
    // The units of a UTF-16 text inside a JSON string.
    void Units(const char16_t* s)
    {
        for (; s && *s; ++s) Unit(*s);
    }
    void Text(const UiText& t)
    {
        Raw("{\"ja\":\"");
        Units(t.Japanese);
        Raw("\",\"en\":\"");
        Units(t.English);
        Raw("\"}");
    }
    // "name":
    void Key(const char* name)
    {
        Ascii(name);
        Raw(":");
    }
    char* Take()
    {
        char* t = failed_ ? nullptr : text_;
        if (t) text_ = nullptr;
        return t;
    }

private:
    void Unit(uint32_t u)
    {
        char out[8] = {static_cast<char>(u), 0};
        if (u < 0x20 || u > 0x7E || u == '"' || u == '\\') std::snprintf(out, sizeof out, "\\u%04x", u);
        Raw(out);
    }
    bool Room(size_t n)
    {
        if (failed_) return false;
        if (used_ + n + 1 > capacity_) {
            const size_t capacity = 2 * (used_ + n + 1) + 256;
            char* grown = static_cast<char*>(std::realloc(text_, capacity));
            if (!grown) return failed_ = true, false;
            text_ = grown;
            capacity_ = capacity;
        }
        return true;
    }

    char* text_ = nullptr;
    size_t used_ = 0, capacity_ = 0;
    bool failed_ = false;
};

const char* KindName(SettingKind k)
{
    switch (k) {
    case SettingKind::Number: return "number";
    case SettingKind::Choice: return "choice";
    case SettingKind::Flag: return "flag";
    case SettingKind::Face: return "face";
    case SettingKind::Strings: return "strings";
    }
    return "";
}

void Setting(JsonText& j, const SettingSpec& s, int32_t index)
{
    j.Raw("{");
    j.Key("index"), j.Number(index);
    j.Raw(","), j.Key("option"), j.Ascii(s.Option);
    j.Raw(","), j.Key("kind"), j.Ascii(KindName(s.Kind));
    if (IsNumeric(s)) {
        j.Raw(","), j.Key("default"), j.Number(s.Default);
        j.Raw(","), j.Key("min"), j.Number(s.Min);
        j.Raw(","), j.Key("max"), j.Number(s.Max);
    }
    j.Raw(","), j.Key("label"), j.Text(s.Label);
    j.Raw(","), j.Key("help"), j.Text(s.Help);
    if (s.Refusal.Japanese) j.Raw(","), j.Key("refusal"), j.Text(s.Refusal);
    if (s.Kind == SettingKind::Choice && s.Choices) {
        j.Raw(","), j.Key("choices"), j.Raw("[");
        for (int32_t v = s.Min; v <= s.Max; ++v) {
            const SettingChoice& c = s.Choices[v - s.Min];
            j.Raw(v == s.Min ? "{" : ",{");
            j.Key("value"), j.Number(v);
            j.Raw(","), j.Key("word"), j.Ascii(c.Word);
            j.Raw(","), j.Key("label"), j.Text(c.Label);
            j.Raw("}");
        }
        j.Raw("]");
    }
    j.Raw("}");
}

} // namespace

char* SaverJson(const SaverTable& table)
{
    JsonText j;
    j.Raw("{"), j.Key("name"), j.Ascii(table.Name);
    j.Raw(","), j.Key("picture"), j.Raw(table.OverDesktop ? "true" : "false");
    j.Raw(","), j.Key("description"), j.Text(table.Description);
    j.Raw(","), j.Key("settings"), j.Raw("[");
    int32_t order[MaxSettings];
    const int32_t count = ShownOrder(table, order);
    for (int32_t k = 0; k < count; ++k) {
        if (k) j.Raw(",");
        Setting(j, table.Settings[order[k]], order[k]);
    }
    j.Raw("]}");
    return j.Take();
}

char* ValuesJson(const SaverTable& table, const SettingValues& values)
{
    JsonText j;
    j.Raw("[");
    for (int32_t i = 0; i < table.SettingCount && i < MaxSettings; ++i) {
        const SettingSpec& s = table.Settings[i];
        if (i) j.Raw(",");
        if (s.Kind == SettingKind::Flag) j.Raw(values.Numbers[i] ? "true" : "false");
        else if (IsNumeric(s)) j.Number(values.Numbers[i]);
        else j.Raw("\"");
        if (s.Kind == SettingKind::Face) j.Units(values.Face);
        if (s.Kind == SettingKind::Strings)
            for (const TextEntry* e = values.Strings.Head.get(); e; e = e->Next.get()) {
                j.Units(e->Text.get());
                if (e->Next) j.Units(u"\n");
            }
        if (!IsNumeric(s)) j.Raw("\"");
    }
    j.Raw("]");
    return j.Take();
}

char* UiTextJson(const UiText& text)
{
    JsonText j;
    j.Text(text);
    return j.Take();
}
