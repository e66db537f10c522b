// Glyra's hooks: each window's run is prepared, with its font, before the
// window exists, placed when the window is created, drawn through a GDI
// canvas on every tick and freed after the window is gone.
#include "glyra_saver.h"

#include "failure_points.h"

#include "default_texts.h"
#include "gdi_canvas.h"
#include "saver_font.h"
#include "settings_dialog.h"

namespace {

GlyraSettings Settings;

GlyraRun& Run(SaverInstance& instance) { return static_cast<GlyraInstance&>(instance).Run; }

bool AddBuiltIn(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks)
{
    return AddTextTo(list, bytes, DefaultTextCodePage, speed, hooks);
}

SettingsKey& ProgramSettings() { return Settings; }

SaverInstance* NewInstance(const SaverView& view) { return NewOrNull<GlyraInstance>(view); }

bool Prepare(SaverInstance& instance)
{
    GlyraRun& r = Run(instance);
    const GlyraSettings& s = Settings;
    const SaverView& v = instance.View;
    // The run's first window seeds the generator; the others go on from it.
    const uint32_t seed = GetTickCount();
    if (!PrepareGlyra(r, s.List, s.Speed, s.FontSize, GlyraScreen{v.ScreenWidth, v.ScreenHeight, v.WindowWidth, v.WindowHeight},
                      v.Index == 0 ? &seed : nullptr, AddBuiltIn))
        return false;
    wchar_t face[LF_FACESIZE];
    FaceNameToWide(s.FontName, face);
    GdiCanvas fonts(nullptr);
    delete r.Font;
    r.Font = s.MakeFont(fonts, face, r.FontSize, s.FontBold != 0, s.FontItalic != 0);
    // Shown before the window exists (by the first window only: the others
    // would fail alike); the animation runs in the DC's font.
    if (!r.Font && v.Index == 0) MessageBoxA(nullptr, "failed to creating font.", nullptr, MB_ICONERROR);
    return true;
}

void OnCreate(SaverInstance& instance, HWND window)
{
    HDC dc = GetDC(window);
    {
        GdiCanvas canvas(dc);
        PlaceEntries(Run(instance), canvas);
    }
    ReleaseDC(window, dc);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    GdiCanvas canvas(dc);
    DrawGlyra(Run(instance), canvas);
}

bool QueryClose(SaverInstance&, HWND) { return true; }

void Release(SaverInstance& instance) { EndGlyra(Run(instance)); }

} // namespace

CanvasFont* MakeCanvasFont(Canvas& canvas, const TextChar* face, int32_t height, bool bold, bool italic)
{
    return canvas.MakeFont(face, height, bold, italic);
}

GlyraSettings::GlyraSettings() : TextSettings("Software\\Zamvel\\Glyra", 32), MakeFont(MakeCanvasFont) {}

const SaverHooks ProgramSaver = {
    "Glyra",
    false,  // the preview ignores keys and clicks
    ProgramSettings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};

GlyraSettings& Glyra() { return Settings; }

TextSettings& TextSaverSettings() { return Settings; }

const char* const* TextSaverSpeedLabels() { return GlyraSpeedLabels; }
