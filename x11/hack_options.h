// The options of a Linux program as an xscreensaver hack takes them: the
// frame's own (--window-id, --root, --delay, --fps, ...) and the saver's,
// from the command line over an optional config file
// ($XDG_CONFIG_HOME/zamvel/NAME.conf, lines "name = value"). Only the text
// of each value is gathered here; the saver's values are read from it by
// its table's rules (table_program.h), the frame's with the helpers below.
#pragma once

#include <cstdint>

struct HackProgram;

enum class OptionKind {
    Number,  // --name N
    Flag,    // --name / --no-name; "name = true|false" in the config file
    Text,    // --name TEXT
};

struct HackOption {
    const char* Name;      // without dashes: "count"
    OptionKind Kind;
    const char* Argument;  // how --help shows the value: "N", "FILE", "clear|none|smear"
    const char* Help;
};

// The text of one option's value and where it came from, for messages.
struct OptionValue {
    bool Given = false;
    char Text[1024] = "";
    char Where[320] = "";  // "--count" or "/home/u/.config/zamvel/orbel.conf:3: count"
};

constexpr int32_t MaxOptions = 12;
constexpr int32_t DefaultDelay = 50000;  // microseconds: the savers' 50 ms tick
constexpr int32_t MaxDelay = 10000000;

struct HackCommand {
    const HackProgram* Program = nullptr;
    const char* DisplayName = nullptr;  // --display, else $DISPLAY
    bool Root = false;                  // --root
    bool HasWindow = false;             // --window-id or XSCREENSAVER_WINDOW
    unsigned long WindowId = 0;
    int32_t Delay = DefaultDelay;       // --delay, microseconds between frames
    bool Fps = false;                   // --fps
    int64_t Frames = 0;                 // --frames: end after this many (0: never)
    // The saver's options, in the order of its table.
    OptionValue Values[MaxOptions];
};

enum class ParseOutcome { Run, Help, Refused };

// The config file, then argv[1..argc) over it. Refused: a message is on
// stderr and the program should end with 2; Help: the usage is on stdout.
ParseOutcome ParseHackCommand(const HackProgram& program, int argc, char** argv, HackCommand& command);

// The config file's path into size bytes; false when no home is known.
bool ConfigPath(const char* config, char* out, int32_t size);

// The value of the saver's option called name, or null when not given.
const OptionValue* ValueOf(const HackCommand& command, const char* name);

// A whole number from the value; false (after a message) when it is none.
bool ReadNumber(const HackCommand& command, const OptionValue& v, int32_t& out);
// true/false (yes/no, on/off, 1/0); false (after a message) when it is none.
bool ReadFlag(const HackCommand& command, const OptionValue& v, bool& out);
// A message about a value on stderr: "NAME: WHERE: text".
void SayAbout(const HackCommand& command, const OptionValue& v, const char* text);
