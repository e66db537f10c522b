// What a saver supplies to the shell. Each program links exactly one
// implementation of every hook, so a missing hook is a link error; the test
// saver under tests/ implements them too.
#pragma once

#include <windows.h>

class SettingsKey;

// What differs between the programs besides their hooks.
struct SaverProgram {
    const char* Name;         // window title and message-box caption
    bool PreviewEndsOnInput;  // a key press or left click ends the preview too
};

extern const SaverProgram ThisProgram;

// The program's one settings object (a static instance of its subclass).
SettingsKey& ProgramSettings();

INT_PTR RunSettingsDialog(HINSTANCE instance);
bool Prepare();
void OnCreate(HWND window);
void DrawFrame(HWND window, HDC dc);
bool QueryClose(HWND window);
void Release();
