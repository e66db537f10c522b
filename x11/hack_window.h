// Where a Linux program draws, as xscreensaver hacks choose it: the window
// named by --window-id or XSCREENSAVER_WINDOW, else the root with --root,
// else a window of its own covering the screen. And the picture a saver
// that draws over the screen starts from.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "hack_options.h"

struct HackProgram;

struct HackWindow {
    Display* Dpy = nullptr;
    Window Win = 0;
    bool Own = false;         // our own window: a key press or a click ends the run
    Visual* Vis = nullptr;
    Colormap Map = 0;
    int Depth = 0;
    int32_t Width = 0, Height = 0;
    Atom DeleteWindow = 0;    // the window manager's close request
    // The screen as it was, for a saver that draws over it: the daemon's
    // screenshot (not ours to free) or our copy of the root.
    Pixmap Desktop = 0;
    bool DesktopOwned = false;
};

// Opens the display and the window and selects the events the frame
// follows; false after a message on stderr.
bool OpenHackWindow(const HackProgram& program, const HackCommand& command, HackWindow& w);
void CloseHackWindow(HackWindow& w);

// A new run's background: black, or the desktop picture for a saver that
// draws over the screen (nothing when there is none: it draws over what
// the window shows).
void PaintBackground(const HackWindow& w, bool overDesktop);
