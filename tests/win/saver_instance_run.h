// One instance of the program's saver, made and ended as the shell does it,
// for the wine tests of a program: NewInstance when it is made, deleted
// when it goes. The hooks in between are the program's own, from its table.
#pragma once

#include <windows.h>

#include <cstdint>

#include <memory>

#include "saver_hooks.h"
#include "table_saver.h"

// A window in Run mode that covers a screen of width x height.
inline SaverView RunView(int32_t width, int32_t height, int32_t index = 0)
{
    SaverView view;
    view.Index = index;
    view.WindowWidth = view.ScreenWidth = width;
    view.WindowHeight = view.ScreenHeight = height;
    return view;
}

// A preview window of windowWidth x windowHeight showing a screen of
// screenWidth x screenHeight.
inline SaverView PreviewView(int32_t screenWidth, int32_t screenHeight, int32_t windowWidth, int32_t windowHeight)
{
    SaverView view;
    view.WindowWidth = windowWidth;
    view.WindowHeight = windowHeight;
    view.ScreenWidth = screenWidth;
    view.ScreenHeight = screenHeight;
    return view;
}

// Run is the program's own class of run (OrbelRun...).
template <class Run>
class InstanceRun {
public:
    explicit InstanceRun(const SaverView& view) : instance_(ProgramSaver.NewInstance(view)) {}
    InstanceRun(const InstanceRun&) = delete;
    InstanceRun& operator=(const InstanceRun&) = delete;

    Run& operator*() const { return static_cast<Run&>(TableRunOf(*instance_)); }
    Run* operator->() const { return &**this; }
    SaverInstance& Instance() const { return *instance_; }

    bool Prepare() { return ProgramSaver.Prepare(*instance_); }
    void OnCreate(HWND window) { ProgramSaver.OnCreate(*instance_, window); }
    void DrawFrame(HDC dc, HWND window = nullptr) { ProgramSaver.DrawFrame(*instance_, window, dc); }
    bool QueryClose() { return ProgramSaver.QueryClose(*instance_, nullptr); }
    // The instance deleted, as after the message loop.
    void End() { instance_.reset(); }

private:
    std::unique_ptr<SaverInstance> instance_;
};
