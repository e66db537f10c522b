// A saver's settings as data: for each setting the name it is stored under,
// its kind, default and bounds, what a value out of bounds becomes, the
// message a dialog refuses it with, its labels and its option. Every
// platform reads its settings through this: the Windows registry and
// dialogs, the Linux options and settings descriptions, the web page's
// panel and URL parameters. No platform header: it builds for any target.
#pragma once

#include <cstdint>

// A text a user reads, in both languages of the programs, as UTF-16. The
// Japanese form is what the programs show today (a few of their labels are
// English words); the English form is written for English readers.
struct UiText {
    const char16_t* Japanese = nullptr;
    const char16_t* English = nullptr;
};

enum class SettingKind : uint8_t {
    Number,   // a whole number within bounds: a dialog's edit field, --name N
    Choice,   // one value of Min..Max, each a choice with its label
    Flag,     // on (any value but 0) or off; stored as 0 or 1 by a dialog
    Face,     // a font face name
    Strings,  // the list of strings a text saver animates
};

// What a number outside a setting's bounds becomes.
enum class Beyond : uint8_t {
    Default,  // the setting's default
    Bound,    // the bound it passed
    Fallback, // the setting's Fallback value
};

struct SettingChoice {
    // The word an option or URL parameter names it by ("smear"); null where
    // the choice is given by its number.
    const char* Word;
    UiText Label;
};

struct SettingSpec {
    const char* Name = nullptr;  // the registry value (a sub-key for Strings): "Count"
    SettingKind Kind = SettingKind::Number;
    int32_t Default = 0;
    int32_t Min = 0, Max = 0;    // Number and Choice
    Beyond Below = Beyond::Default, Above = Beyond::Default;
    int32_t Fallback = 0;
    // Loaded as stored; each run brings the value into bounds itself, and a
    // dialog shows and stores it as typed.
    bool KeptAsStored = false;
    // Where settings are listed for a user (the Linux options and settings
    // descriptions, the web panel): by this rank, then in schema order.
    int32_t Shown = 0;
    UiText Label;
    // What a dialog says when a number below Min is given; without it any
    // number is taken.
    UiText Refusal;
    const SettingChoice* Choices = nullptr;  // Choice: one for each value of Min..Max
    const char* Option = nullptr;  // the Linux option and the URL parameter: "count"
    UiText Help;                   // what the option sets, for --help
    // Face: the stored default, and the face with the same metrics that a
    // platform without it draws in.
    const char16_t* FaceDefault = nullptr;
    const char16_t* PortableFace = nullptr;

private:
    // Declared before its callers: clang evaluates them as constants only so.
    template <class T>
    constexpr SettingSpec With(T SettingSpec::*field, T value) const
    {
        SettingSpec s = *this;
        s.*field = value;
        return s;
    }

public:
    constexpr SettingSpec OfKind(SettingKind kind) const { return With(&SettingSpec::Kind, kind); }
    // The parts of a schema line besides the kind's own: what a number below
    // Min and above Max becomes, or a fallback for both.
    constexpr SettingSpec OutOfBounds(Beyond below, Beyond above) const
    {
        return With(&SettingSpec::Below, below).With(&SettingSpec::Above, above);
    }
    constexpr SettingSpec OutsideBecomes(int32_t value) const
    {
        return OutOfBounds(Beyond::Fallback, Beyond::Fallback).With(&SettingSpec::Fallback, value);
    }
    constexpr SettingSpec BoundedByEachRun() const { return With(&SettingSpec::KeptAsStored, true); }
    constexpr SettingSpec ShownAt(int32_t rank) const { return With(&SettingSpec::Shown, rank); }
    constexpr SettingSpec Labelled(const char16_t* ja, const char16_t* en) const
    {
        return With(&SettingSpec::Label, UiText{ja, en});
    }
    constexpr SettingSpec RefusedWith(const char16_t* ja, const char16_t* en) const
    {
        return With(&SettingSpec::Refusal, UiText{ja, en});
    }
    constexpr SettingSpec Described(const char16_t* ja, const char16_t* en) const
    {
        return With(&SettingSpec::Help, UiText{ja, en});
    }
};

// The schema lines' beginnings, one per kind.
constexpr SettingSpec NumberSetting(const char* name, const char* option, int32_t def, int32_t min, int32_t max)
{
    SettingSpec s;
    s.Name = name;
    s.Option = option;
    s.Default = def;
    s.Min = min;
    s.Max = max;
    return s;
}

template <int32_t N>
constexpr SettingSpec ChoiceSetting(const char* name, const char* option, int32_t def, int32_t min,
                                    const SettingChoice (&choices)[N])
{
    SettingSpec s = NumberSetting(name, option, def, min, min + N - 1).OfKind(SettingKind::Choice);
    s.Choices = choices;
    return s;
}

constexpr SettingSpec FlagSetting(const char* name, const char* option)
{
    return NumberSetting(name, option, 0, 0, 1).OfKind(SettingKind::Flag);
}

constexpr SettingSpec FaceSetting(const char* name, const char* option, const char16_t* def, const char16_t* portable)
{
    SettingSpec s = NumberSetting(name, option, 0, 0, 0).OfKind(SettingKind::Face);
    s.FaceDefault = def;
    s.PortableFace = portable;
    return s;
}

constexpr SettingSpec StringsSetting(const char* name, const char* option)
{
    return NumberSetting(name, option, 0, 0, 0).OfKind(SettingKind::Strings);
}

// Kinds whose value is a number.
inline bool IsNumeric(const SettingSpec& s)
{
    return s.Kind == SettingKind::Number || s.Kind == SettingKind::Choice || s.Kind == SettingKind::Flag;
}

// A number as the setting takes it: within its bounds as it is, outside as
// the setting says. A flag takes any number.
int32_t BoundedValue(const SettingSpec& s, int32_t value);

// What a value that is no number at all becomes (a URL parameter, a stored
// value of another form): the default, as a registry value that holds no
// number loads.
int32_t NotANumberValue(const SettingSpec& s);

enum class TextReading : uint8_t {
    Taken,       // the text's value as it is
    Bounded,     // a number outside the bounds, brought into them
    NotANumber,  // no number (nor, for a flag, true or false); value is NotANumberValue
};

// A numeric setting's value from a text (an option, a config line, a URL
// parameter): a whole number, or a flag's true/yes/on/1 and
// false/no/off/0. A choice given by words takes one of its words; any
// other text counts as out of bounds.
TextReading ReadSettingText(const SettingSpec& s, const char* text, int32_t& value);

// The choice's word for a value, or null.
const char* ChoiceWord(const SettingSpec& s, int32_t value);

// Told when settings cannot be saved.
extern const UiText SaveFailedText;
