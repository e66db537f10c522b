// A program's real shell started in this process, watched: the sweeps call
// SaverMain once per case, as Windows would start the program, and see how
// each start went.
// - "/s": the first ticks are asked for at once, each after the last,
//   instead of every 50 ms, and a key press follows the last of them;
// - "/c": when the settings dialog shows, the key is exported and Cancel
//   pressed;
// - a message box is counted, its text kept, and answered with OK.
// None of this allocates on the program's heap, so a sweep can count the
// program's own blocks across a start. A start that takes longer than the
// limit is stuck and ends the process; any crash, even one that wine would
// swallow in a window procedure, ends it with wine's backtrace.
#pragma once

#include <windows.h>

#include <string>

#include "registry_shapes.h"
#include "saver_hooks.h"

// What the last start saw.
struct StartSeen {
    int Frames = 0;
    bool DialogShown = false;
    RegistryExport AtDialog;  // the key when the dialog showed
    int Boxes = 0;
    char LastBox[256] = "";   // the last message box's text, in the ANSI code page
};

// The key of the program named, under HKEY_CURRENT_USER.
std::wstring ProgramKeyPath(const char* program);

// Sets up the watch for the starts of this thread: keyPath is the program's
// key (exported when its dialog shows), limitMs what a start may take,
// frames the ticks a run gets before its key press.
void WatchStarts(const std::wstring& keyPath, DWORD limitMs, int frames = 1);
void StopWatchingStarts();

// SaverMain(args) of saver under the watch; label names the start in the
// reports. The result is SaverMain's.
int WatchedStart(const SaverHooks& saver, const char* args, const std::string& label);
const StartSeen& LastStart();

// An OnCreate hook that writes through a null pointer: a sweep given it
// must report the crash.
void CrashingOnCreate(SaverInstance&, HWND);
