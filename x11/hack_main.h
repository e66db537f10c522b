// The frame of each Linux program: options, window, one run per window
// size, a frame per period, and the end on SIGTERM, when the window goes,
// or (in a window of its own) on a key press or a click.
#pragma once

#include "hack_program.h"

// The program's main: exit code 0 after a run, 2 when an option was
// refused, 1 when the display or the window could not be had.
int HackMain(const HackProgram& program, int argc, char** argv);
