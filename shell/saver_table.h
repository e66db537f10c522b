// One saver, declared once for every platform: its name, its settings as a
// schema, and its run (the start in two phases, the draw and the end). The
// Windows shell, the Linux frame and the web page each run every saver
// through one generic adapter over this table. No platform header.
//
// What an adapter does: the values at their defaults (DefaultValues), then
// each setting from where the platform keeps it, texts through
// ReadSettingText under the setting's Option name; for each window a run
// (NewRun), Prepare for every window before any shows, Create as each
// appears, Draw every TickMs, End as it closes, then the run deleted; a
// run's Notice said once, for the first window.
#pragma once

#include <cstdint>
#include <memory>

#include "canvas.h"
#include "setting_schema.h"
#include "text_list.h"

// The values of a saver's settings, as a run reads them.
constexpr int32_t MaxSettings = 8;
constexpr int32_t MaxFaceUnits = 256;
struct SettingValues {
    // The numeric settings, at their place in the schema.
    int32_t Numbers[MaxSettings] = {};
    // The Face setting, UTF-16, zero-terminated.
    TextChar Face[MaxFaceUnits] = {};
    // The Strings setting: the stored strings, texts alone.
    TextList Strings;
};

// Where a run draws. The saver draws in full-screen units, ScreenWidth x
// ScreenHeight; a window smaller than that (the Windows preview) shows them
// scaled.
struct RunView {
    int32_t Index = 0;  // the window's place in a run of several (one per monitor); 0 is the first
    int32_t ScreenWidth = 0, ScreenHeight = 0;
    int32_t WindowWidth = 0, WindowHeight = 0;
    uint32_t Seed = 0;  // the clock, for the savers that seed the generator (only the first window does)
};

// The view of a run's one window, which is its whole screen (the Linux
// frame, the web page).
RunView WholeWindowView(int32_t width, int32_t height, uint32_t seed);

// What one run in one window builds; each saver derives its own, and
// deleting it frees all of it.
class SaverRun {
public:
    SaverRun() = default;
    virtual ~SaverRun() = default;
    SaverRun(const SaverRun&) = delete;
    SaverRun& operator=(const SaverRun&) = delete;

    // Something the user should hear of, said once for a run's first window
    // (a font that could not be made); the run goes on. One of the table's
    // Notices.
    const UiText* Notice = nullptr;
};

struct SaverTable {
    // "Orbel": the program's title and message caption; the Windows program
    // Orbel.scr, its key Software\Zamvel\Orbel; the Linux zamvel-orbel.
    const char* Name;
    UiText Description;       // what it shows, for the settings descriptions
    bool OverDesktop;         // draws over the screen as it was, not on black
    bool PreviewEndsOnInput;  // a key or a click ends the Windows preview too
    uint32_t TickMs;          // the time between two draws
    const SettingSpec* Settings;
    int32_t SettingCount;

    // A run, or null without memory.
    SaverRun* (*NewRun)();
    // The start, before the window shows (one run per monitor, in window
    // order): every random number the saver draws before its window exists
    // is drawn here. fonts can make fonts and measure; nothing is drawn.
    // False when the run cannot go on (no memory): it ends at once.
    bool (*Prepare)(SaverRun& run, const SettingValues& values, Canvas& fonts, const RunView& view);
    // The start's end, as the window appears: what needs the window.
    void (*Create)(SaverRun& run, const SettingValues& values, Canvas& canvas, const RunView& view);
    // One tick.
    void (*Draw)(SaverRun& run, Canvas& canvas);
    // The window is closing; what the run still holds goes when it is deleted.
    void (*End)(SaverRun& run);

    // Every notice a run may give (a run's Notice points at one of them).
    const UiText* Notices = nullptr;
    int32_t NoticeCount = 0;
};

// Every value at its default; the face the stored default or, with
// portable, the face a platform without it draws in.
void DefaultValues(const SaverTable& table, SettingValues& values, bool portable);

// The settings' places in the order they are listed for a user (by their
// Shown rank, then in schema order); the count.
int32_t ShownOrder(const SaverTable& table, int32_t (&order)[MaxSettings]);

// The place of the setting stored under name, or -1.
int32_t SettingIndex(const SaverTable& table, const char* name);

// A run for a window of its own, made, prepared and created in one go (the
// Linux frame, the web page); null when it cannot be.
std::unique_ptr<SaverRun> StartRun(const SaverTable& table, const SettingValues& values, Canvas& canvas, const RunView& view);
