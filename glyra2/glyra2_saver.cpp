// Glyra2's hooks: each window's run is prepared before the window exists,
// gets its fonts when the window is created, draws through a GDI canvas on
// every tick, loses its fonts when the window closes and its strings after.
#include "glyra2_saver.h"

#include "failure_points.h"

#include "default_texts.h"
#include "gdi_canvas.h"
#include "saver_font.h"
#include "settings_dialog.h"

namespace {

TextSettings Settings("Software\\Zamvel\\Glyra2", 48);

Glyra2Run& Run(SaverInstance& instance) { return static_cast<Glyra2Instance&>(instance).Run; }

bool AddBuiltIn(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks)
{
    return AddTextTo(list, bytes, DefaultTextCodePage, speed, hooks);
}

SettingsKey& ProgramSettings() { return Settings; }

SaverInstance* NewInstance(const SaverView& view) { return NewOrNull<Glyra2Instance>(view); }

bool Prepare(SaverInstance& instance)
{
    const TextSettings& s = Settings;
    const SaverView& v = instance.View;
    // The run's first window seeds the generator; the others go on from it.
    const uint32_t seed = GetTickCount();
    return PrepareGlyra2(Run(instance), s.List, s.Speed, s.FontSize, v.ScreenWidth, v.ScreenHeight,
                         v.Index == 0 ? &seed : nullptr, AddBuiltIn);
}

void OnCreate(SaverInstance& instance, HWND window)
{
    const TextSettings& s = Settings;
    wchar_t face[LF_FACESIZE];
    FaceNameToWide(s.FontName, face);
    HDC dc = GetDC(window);
    {
        GdiCanvas canvas(dc);
        StartGlyra2(Run(instance), canvas, face, s.FontBold != 0, s.FontItalic != 0);
    }
    ReleaseDC(window, dc);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    GdiCanvas canvas(dc);
    DrawGlyra2(Run(instance), canvas);
}

bool QueryClose(SaverInstance& instance, HWND)
{
    FreeGlyra2Fonts(Run(instance));
    return true;
}

void Release(SaverInstance& instance) { EndGlyra2(Run(instance)); }

} // namespace

const SaverHooks ProgramSaver = {
    "Glyra2",
    false,  // the preview ignores keys and clicks
    ProgramSettings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};

TextSettings& Glyra2() { return Settings; }

// The shared settings dialog edits this object and offers Glyra2's speeds.
TextSettings& TextSaverSettings() { return Settings; }

const char* const* TextSaverSpeedLabels() { return Glyra2SpeedLabels; }
