// What a saver supplies to the Linux frame (hack_main.h): its names, its
// options, how it takes its settings and the three steps of a run. The
// frame opens the window, makes the canvas, starts a run for the window's
// size (again after each resize), draws a frame per period and deletes the
// run at the end.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "hack_options.h"

// The window a run draws in, in pixels, and the seed for the savers that
// take one (the monotonic clock in milliseconds, as a tick count).
struct HackView {
    int32_t Width, Height;
    uint32_t Seed;
};

// One run in one window; each saver derives its own, and its destructor
// frees what the run built.
class HackRun {
public:
    HackRun() = default;
    virtual ~HackRun() = default;
    HackRun(const HackRun&) = delete;
    HackRun& operator=(const HackRun&) = delete;
};

struct HackProgram {
    const char* Name;    // "zamvel-orbel": the program, its messages and its settings description
    const char* Config;  // "orbel": the config file ~/.config/zamvel/orbel.conf
    const char* Title;   // "Orbel": the title of a window of its own
    const HackOption* Options;  // the saver's own options
    int32_t OptionCount;
    bool OverDesktop;    // draws over the screen as it was; the others start on black
    // The settings taken from the command (config file below the command
    // line) into the program's one settings object; false when a value was
    // refused (the message is out, the program ends with 2).
    bool (*TakeSettings)(const HackCommand& command);
    // A run for the view, started; null when it cannot be (no memory).
    HackRun* (*Start)(Canvas& canvas, const HackView& view);
    void (*Draw)(HackRun& run, Canvas& canvas);
};
