// The text savers' settings on Linux, shared by zamvel-glyra2 and
// zamvel-glyra: speed, font and the strings, from the options, under the
// rules the Windows programs apply when their settings load.
#pragma once

#include <cstdint>

#include "hack_options.h"
#include "text_list.h"

// IPAPMincho (fonts-ipafont-mincho): the Windows default face is not found
// on Linux, and a face without Japanese glyphs would drop half of the
// built-in strings' characters.
constexpr char LinuxDefaultFace[] = "IPAPMincho";

struct TextHackSettings {
    // The defaults, with the saver's own font size.
    explicit TextHackSettings(int32_t fontSize);

    int32_t Speed;
    char Face[256];
    int32_t FontSize;  // brought into bounds, as each run would bring it
    bool Bold = false, Italic = false;
    TextList List;     // the strings of --strings; empty: the built-in ones
};

constexpr int32_t TextOptionCount = 6;
// The options of each text saver (their font sizes default apart).
extern const HackOption Glyra2TextOptions[TextOptionCount];
extern const HackOption GlyraTextOptions[TextOptionCount];

// The values of the command into s; false when one was refused.
bool TakeTextSettings(const HackCommand& command, TextHackSettings& s);

// The lines of a UTF-8 file as texts of list, in order: empty lines are
// dropped, a line that is not UTF-8 is skipped and a long one cut, each
// with a warning. False (after a message, with the list released) when
// the file cannot be read or memory runs out.
bool LoadStringsFile(const HackCommand& command, const OptionValue& v, TextList& list);
