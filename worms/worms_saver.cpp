// Worms' hooks: each window's worms are built before the window exists,
// crawl one step per tick through a GDI canvas, and are freed after the
// window is gone.
#include "worms_saver.h"

#include "failure_points.h"

#include "gdi_canvas.h"
#include "worms_dialog.h"
#include "worms_settings.h"

namespace {

WormsRun& Run(SaverInstance& instance) { return static_cast<WormsInstance&>(instance).Run; }

SettingsKey& Settings() { return TheWormsSettings(); }

SaverInstance* NewInstance(const SaverView& view) { return NewOrNull<WormsInstance>(view); }

bool Prepare(SaverInstance& instance)
{
    const WormsSettings& s = TheWormsSettings();
    const SaverView& v = instance.View;
    // No memory for the worms: the shell releases and ends the program.
    return StartWorms(Run(instance), s.Type, s.WormsCnt, s.WormsLen, CrawlArea{v.ScreenWidth, v.ScreenHeight});
}

void OnCreate(SaverInstance&, HWND window) { ShowWindow(window, SW_SHOW); }

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    GdiCanvas canvas(dc);
    DrawWorms(Run(instance), canvas);
}

bool QueryClose(SaverInstance&, HWND) { return true; }

void Release(SaverInstance& instance) { EndWorms(Run(instance)); }

} // namespace

const SaverHooks ProgramSaver = {
    "Worms",
    true,  // a key or click ends the preview too
    Settings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};
