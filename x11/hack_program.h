// What a Linux program is to the frame (hack_main.h): its names, its
// options and whether it draws over the screen, all made from the saver's
// table (table_program.h). The frame opens the window, makes the canvas,
// starts a run for the window's size (again after each resize), draws a
// frame per period and deletes the run at the end.
#pragma once

#include <cstdint>

#include "hack_options.h"

struct SaverTable;

struct HackProgram {
    const char* Name;    // "zamvel-orbel": the program, its messages and its settings description
    const char* Config;  // "orbel": the config file ~/.config/zamvel/orbel.conf
    const char* Title;   // "Orbel": the title of a window of its own
    const HackOption* Options;  // the saver's own options
    int32_t OptionCount;
    bool OverDesktop;    // draws over the screen as it was; the others start on black
    const SaverTable* Table;
};
