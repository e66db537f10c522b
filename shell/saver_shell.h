// The frame every program runs in: mode choice, desktop snapshot, the saver
// window of class "TYPE1", the frame timer, the preview mapping, the loop.
#pragma once

#include <windows.h>

// The entry function: the program instance and the argument text (the
// command line without the program's name). Returns the exit code, 0 on
// every path. Callable in-process by tests; the window class is
// unregistered again when it returns.
int SaverMain(HINSTANCE instance, const char* args);

// The window procedure of class "TYPE1".
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

extern const char SaverClassName[];
