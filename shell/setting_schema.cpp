#include "setting_schema.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const UiText SaveFailedText = {u"設定を保存できませんでした。", u"The settings could not be saved."};

namespace {

int32_t Becomes(const SettingSpec& s, Beyond b, int32_t bound)
{
    switch (b) {
    case Beyond::Default: return s.Default;
    case Beyond::Bound: return bound;
    case Beyond::Fallback: return s.Fallback;
    }
    return s.Default;
}

// Case-blind ASCII comparison, so that "TRUE" and "Smear" read too.
bool SameWord(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        const char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a - 'A' + 'a') : *a;
        const char y = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (x != y) return false;
    }
    return *a == *b;
}

bool OneOf(const char* text, const char* const (&words)[4])
{
    for (const char* w : words)
        if (SameWord(text, w)) return true;
    return false;
}

bool WholeNumber(const char* text, int32_t& value)
{
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (errno || end == text || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

} // namespace

int32_t BoundedValue(const SettingSpec& s, int32_t value)
{
    if (s.Kind != SettingKind::Number && s.Kind != SettingKind::Choice) return value;
    if (value < s.Min) return Becomes(s, s.Below, s.Min);
    if (value > s.Max) return Becomes(s, s.Above, s.Max);
    return value;
}

int32_t NotANumberValue(const SettingSpec& s) { return s.Default; }

const char* ChoiceWord(const SettingSpec& s, int32_t value)
{
    if (s.Kind != SettingKind::Choice || !s.Choices || value < s.Min || value > s.Max) return nullptr;
    return s.Choices[value - s.Min].Word;
}

TextReading ReadSettingText(const SettingSpec& s, const char* text, int32_t& value)
{
    value = NotANumberValue(s);
    if (!text) return TextReading::NotANumber;
    if (s.Kind == SettingKind::Flag) {
        if (OneOf(text, {"true", "yes", "on", "1"})) return value = 1, TextReading::Taken;
        if (OneOf(text, {"false", "no", "off", "0"})) return value = 0, TextReading::Taken;
        return TextReading::NotANumber;
    }
    if (s.Kind == SettingKind::Choice && ChoiceWord(s, s.Min)) {
        for (int32_t v = s.Min; v <= s.Max; ++v)
            if (SameWord(text, ChoiceWord(s, v))) return value = v, TextReading::Taken;
        // A word that names no choice is out of bounds, as an unknown
        // stored value is.
        value = BoundedValue(s, s.Min - 1);
        return TextReading::Bounded;
    }
    int32_t n = 0;
    if (!WholeNumber(text, n)) return TextReading::NotANumber;
    value = BoundedValue(s, n);
    return value == n ? TextReading::Taken : TextReading::Bounded;
}
