// Saver instances for the tests of one program: made by the program's own
// NewInstance hook on a view of the tests' choosing, deleted with their
// owner (Release first, where the test needs it).
#pragma once

#include <memory>

#include "saver_hooks.h"

// A window on a monitor of width x height, as Run mode gives it.
inline SaverView MonitorView(int32_t width, int32_t height, int32_t index = 0)
{
    SaverView v;
    v.Index = index;
    v.WindowWidth = v.ScreenWidth = width;
    v.WindowHeight = v.ScreenHeight = height;
    return v;
}

// A preview window of windowWidth x windowHeight showing a screen of
// screenWidth x screenHeight.
inline SaverView PreviewView(int32_t screenWidth, int32_t screenHeight, int32_t windowWidth, int32_t windowHeight)
{
    SaverView v;
    v.WindowWidth = windowWidth;
    v.WindowHeight = windowHeight;
    v.ScreenWidth = screenWidth;
    v.ScreenHeight = screenHeight;
    return v;
}

// T is the program's instance class.
template <class T>
std::unique_ptr<T> MakeInstance(const SaverView& view)
{
    return std::unique_ptr<T>(static_cast<T*>(ProgramSaver.NewInstance(view)));
}
