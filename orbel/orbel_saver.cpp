// Orbel's hooks: each window's run is started when the window is created,
// drawn on every tick through a GDI canvas, and ended when the window closes.
#include "orbel_saver.h"

#include "gdi_canvas.h"
#include "orbel_settings.h"
#include "resource.h"

#include "failure_points.h"

namespace {

OrbelRun& Run(SaverInstance& instance) { return static_cast<OrbelInstance&>(instance).Run; }

SettingsKey& Settings() { return Orbel(); }

SaverInstance* NewInstance(const SaverView& view) { return NewOrNull<OrbelInstance>(view); }

bool Prepare(SaverInstance&) { return true; }

void OnCreate(SaverInstance& instance, HWND window)
{
    const SaverView& v = instance.View;
    StartOrbel(Run(instance), Orbel().Count, v.ScreenWidth, v.ScreenHeight, v.WindowWidth, v.WindowHeight);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    GdiCanvas canvas(dc);
    DrawOrbel(Run(instance), canvas);
}

bool QueryClose(SaverInstance& instance, HWND)
{
    EndOrbel(Run(instance));
    return true;
}

void Release(SaverInstance&) {}

INT_PTR RunSettingsDialog(HINSTANCE instance)
{
    // The wide form, so the dialog's Japanese texts show right whatever the
    // system's ANSI code page; the procedure handles no text.
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTING), Orbel().ParentWindow, OrbelDialogProc, 0);
}

} // namespace

const SaverHooks ProgramSaver = {
    "Orbel",
    true,  // a key or click ends the preview too
    Settings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};
