// The settings both text savers keep, as one schema each (saver_table.h):
// speed, font face, size, weight and slant, and the string list. The two
// differ in the font size's default, the speed labels and what the options
// say; everything else, bounds included, is declared here once.
#pragma once

#include <array>
#include <cstdint>

#include "setting_schema.h"

constexpr int32_t MinSpeed = 1;
constexpr int32_t MaxSpeed = 5;
constexpr int32_t DefaultSpeed = 3;
constexpr int32_t SpeedCount = MaxSpeed - MinSpeed + 1;

// The font's cell height as a run uses it, brought to the nearer bound. Above
// MaxFontSize it is cut: glyphs that tall take wine's 32-bit drawing from
// about 11 ms a frame (Glyra2 at 400, six strings) to 30-45 ms at 600 and
// 1000, and seconds for the first glyph of a height in the tens of
// thousands, while the frame comes every 50 ms and a key press must end the
// run at once. 400 pixels is still taller than any text a screen needs, and
// Glyra2's table holds one font (and one DC) per height: 800 GDI objects.
constexpr int32_t MinFontSize = 6;
constexpr int32_t MaxFontSize = 400;

// The settings, at their place in the schema: read and written in this order.
enum TextSetting : int32_t { TextSpeed, TextFace, TextFontSize, TextBold, TextItalic, TextStrings, TextSettingCount };

using TextSchema = std::array<SettingSpec, TextSettingCount>;

// A text saver's schema: its default font size, its speed labels (label k
// stands for Speed k + 1) and what its speed and size options say.
constexpr TextSchema MakeTextSchema(int32_t fontSize, const SettingChoice (&speeds)[SpeedCount], UiText speedHelp,
                                    UiText sizeHelp)
{
    return {{
        // A stored speed outside 1..5 goes to the nearer end.
        ChoiceSetting("Speed", "speed", DefaultSpeed, MinSpeed, speeds)
            .OutOfBounds(Beyond::Bound, Beyond::Bound)
            .Labelled(u"Speed", u"Speed")
            .Described(speedHelp.Japanese, speedHelp.English)
            .ShownAt(5),
        // The proportional Mincho face; the IPA face has its metrics.
        FaceSetting("FontName", "font", u"ＭＳ Ｐ明朝", u"IPAPMincho")
            .Labelled(u"Font", u"Font")
            .Described(u"文字の書体", u"the characters' face")
            .ShownAt(1),
        NumberSetting("FontSize", "font-size", fontSize, MinFontSize, MaxFontSize)
            .OutOfBounds(Beyond::Bound, Beyond::Bound)
            .BoundedByEachRun()
            .Labelled(u"Size", u"Size")
            .Described(sizeHelp.Japanese, sizeHelp.English)
            .ShownAt(2),
        FlagSetting("FontBold", "bold").Labelled(u"Bold", u"Bold").Described(u"太字", u"bold characters").ShownAt(3),
        FlagSetting("FontItalic", "italic")
            .Labelled(u"Italic", u"Italic")
            .Described(u"斜体", u"italic characters")
            .ShownAt(4),
        StringsSetting("List", "strings")
            .Labelled(u"String List", u"Strings")
            .Described(u"UTF-8 のファイル、１行に１つの文字列（既定：組み込みの文字列）",
                       u"a UTF-8 file, one string a line (default: the built-in strings)"),
    }};
}
