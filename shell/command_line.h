// Choosing the run mode from the argument text the screen-saver host passes.
// Platform-free, so the native tests can walk every form.
#pragma once

#include <cstdint>

enum class SaverMode { Configure, Run, Preview };

struct ModeChoice {
    SaverMode Mode;
    // The handle number read from the third character on (Configure and
    // Preview); 0 in Run or when no number follows.
    uintptr_t Handle;
};

// True when pattern occurs in text as a run of equal bytes; case-sensitive,
// byte by byte. An empty pattern or an empty text gives false.
bool ContainsText(const char* text, const char* pattern);

// The switch table's groups are tried in order (Configure, Run, Preview);
// the first group with any form anywhere in the text wins. No form at all
// runs full screen.
ModeChoice ChooseMode(const char* args);

// The argument text of a whole process command line: the program's name is
// skipped (a quoted name up to its closing quote), then spaces and control
// characters.
const char* SkipProgramName(const char* commandLine);
