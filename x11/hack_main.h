// The frame of each Linux program, one adapter for every saver's table:
// options, window, one run per window size, a frame per period, and the end
// on SIGTERM, when the window goes, or (in a window of its own) on a key
// press or a click.
#pragma once

#include "saver_table.h"

// The main of the saver's program: exit code 0 after a run, 2 when an
// option was refused, 1 when the display or the window could not be had.
int HackMain(const SaverTable& table, int argc, char** argv);
