// One instance of the program's saver, made and ended as the shell does it,
// for the wine tests of a program: NewInstance when it is made, Release and
// delete when it goes. The hooks in between are the program's own.
#pragma once

#include <windows.h>

#include <cstdint>

#include "saver_hooks.h"

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

// Instance is the program's own class of instance.
template <class Instance>
class InstanceRun {
public:
    explicit InstanceRun(const SaverView& view) : instance_(static_cast<Instance*>(ProgramSaver.NewInstance(view))) {}
    ~InstanceRun() { End(); }
    InstanceRun(const InstanceRun&) = delete;
    InstanceRun& operator=(const InstanceRun&) = delete;

    Instance& operator*() const { return *instance_; }
    Instance* operator->() const { return instance_; }

    bool Prepare() { return ProgramSaver.Prepare(*instance_); }
    void OnCreate(HWND window) { ProgramSaver.OnCreate(*instance_, window); }
    void DrawFrame(HDC dc, HWND window = nullptr) { ProgramSaver.DrawFrame(*instance_, window, dc); }
    bool QueryClose() { return ProgramSaver.QueryClose(*instance_, nullptr); }
    void Release() { ProgramSaver.Release(*instance_); }
    // Release, as after the message loop, and the instance deleted.
    void End()
    {
        if (!instance_) return;
        ProgramSaver.Release(*instance_);
        delete instance_;
        instance_ = nullptr;
    }

private:
    Instance* instance_;
};
