// What a saver supplies to the shell: its name, its one settings object and
// hooks that act on a saver instance, the state of one run in one window.
// The shell makes an instance per window (one per monitor in Run mode, one
// in Preview), calls the hooks on it in their fixed order and deletes it
// when the run ends: deleting it frees all it holds. Every program's hooks
// come from its table (table_saver.h); the test saver under tests/ has its
// own, to exercise the shell alone.
#pragma once

#include <windows.h>

#include <cstdint>

class SettingsKey;

// Where an instance draws. The saver draws in full-screen units, ScreenWidth
// x ScreenHeight: in Run they are its monitor's pixels (its window covers
// the monitor exactly); in Preview the shell maps them onto the preview.
struct SaverView {
    int32_t Index = 0;                   // the window's place in the run: 0 is the first
    HWND ParentWindow = nullptr;         // the preview window; null in Run
    int32_t Left = 0, Top = 0;          // the monitor's corner on the virtual screen (Run)
    int32_t WindowWidth = 0, WindowHeight = 0;  // the window's client size
    int32_t ScreenWidth = 0, ScreenHeight = 0;  // the full screen the saver draws in
};

// One run in one window; each saver derives its own with the data its run
// builds (points, worms, text entries, fonts).
class SaverInstance {
public:
    explicit SaverInstance(const SaverView& view) : View(view) {}
    virtual ~SaverInstance() = default;
    SaverInstance(const SaverInstance&) = delete;
    SaverInstance& operator=(const SaverInstance&) = delete;

    const SaverView View;
};

struct SaverHooks {
    const char* Name;          // window title and message-box caption
    bool PreviewEndsOnInput;   // a key press or left click ends the preview too
    // The program's one settings object, loaded once per process.
    SettingsKey& (*Settings)();
    INT_PTR (*RunSettingsDialog)(HINSTANCE instance);
    // A fresh instance for a window, or null when there is no memory for it.
    SaverInstance* (*NewInstance)(const SaverView& view);
    bool (*Prepare)(SaverInstance& run);
    void (*OnCreate)(SaverInstance& run, HWND window);
    void (*DrawFrame)(SaverInstance& run, HWND window, HDC dc);
    bool (*QueryClose)(SaverInstance& run, HWND window);
};

// The saver of this program: each program links exactly one.
extern const SaverHooks ProgramSaver;
