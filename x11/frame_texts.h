// What the Linux frame itself says, in both languages of the programs:
// its --help, its messages about options, files and windows. The texts of
// the settings (their help, the choices' names, a run's notice) come from
// the saver's table instead (user_language.h).
#pragma once

#include <cstdint>

enum class FrameText : int32_t {
    // --help
    Usage,           // program
    UsageWhere,
    UsageHow,
    DelayHelp,       // default delay
    FpsHelp,
    FramesHelp,
    UsageSettings,   // saver
    UsageConfig,     // config path
    // the settings' help lines and ranges
    Range,           // min, max
    ChoiceRange,     // min, its name, max, its name
    HelpWithDefault, // what, default
    NumberHelp,      // what, range, default
    ChoiceHelp,      // what, range, default
    // options and the config file
    ValueTooLong,    // where
    ConfigUnreadable,  // path, reason
    ConfigLineForm,  // path, line
    ConfigUnknown,   // path, line, name
    UnexpectedArgument,  // argument
    UnknownOption,   // argument
    NeedsValue,      // option
    NotAWindowId,    // where, text
    NotAFrameCount,  // text
    NotAWholeNumber, // text
    NeitherTrueNorFalse,  // text
    OutOfRange,      // text, range, value taken
    NoneOfTheWords,  // words, word taken
    FaceNeeded,
    NoStrings,
    // the strings file
    LineNotUtf8,     // line
    LineCut,         // line
    CannotRead,      // path, reason
    NotAFile,
    NoMemoryForStrings,
    // the display, the window and the run
    XError,          // error, request
    CannotOpenDisplay,  // display
    NoSuchWindow,    // window id
    NoTrueColour,
    CannotMakeWindow,
    WindowNotShown,  // seconds
    CannotDraw,
    NoMemoryForRun,
    FpsReport,       // frames, ms a frame
    Count
};

// The text in the user's language (UTF-8): a printf format taking what
// its line above names, in that order.
const char* FrameSays(FrameText text);

// The program's name, the text filled in as printf fills its format, and a
// new line, on stderr.
void Tell(const char* program, FrameText text, ...);
