// The frame every program runs in: mode choice, the desktop snapshot, one
// saver window of class "TYPE1" per monitor (or one in the preview), the
// frame timer, the preview mapping, the loop.
#pragma once

#include <windows.h>

#include "saver_hooks.h"

// The entry function: the program instance, the argument text (the command
// line without the program's name) and the saver. Returns the exit code, 0
// on every path. Callable in-process by tests; the window class is
// unregistered again when it returns.
int SaverMain(HINSTANCE instance, const char* args, const SaverHooks& saver);

// The window procedure of class "TYPE1".
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

extern const char SaverClassName[];
