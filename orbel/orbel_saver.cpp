// Orbel's hooks: the points are built when the window is created, stepped
// and redrawn on every tick, and freed when the window closes.
#include "orbel_saver.h"

#include "orbel_settings.h"
#include "resource.h"

#include <new>

namespace {

OrbelInstance& Run(SaverInstance& instance) { return static_cast<OrbelInstance&>(instance); }

// With the null pen a rectangle loses its right and bottom row. Where the
// units are pixels a pattern fill of the smaller box gives the same pixels
// at a fraction of the cost; scaled (the preview), the rectangle draws.
void FillSquare(HDC dc, bool pixels, int32_t x, int32_t y, int32_t side, DWORD fill)
{
    if (pixels)
        PatBlt(dc, x, y, side - 1, side - 1, fill);
    else
        Rectangle(dc, x, y, x + side, y + side);
}

SettingsKey& Settings() { return Orbel(); }

SaverInstance* NewInstance(const SaverView& view) { return new (std::nothrow) OrbelInstance(view); }

bool Prepare(SaverInstance&) { return true; }

void OnCreate(SaverInstance& instance, HWND window)
{
    OrbelInstance& r = Run(instance);
    const SaverView& v = r.View;
    FreePoints(r.Points);
    r.Count = Orbel().Count;
    // Without the memory the saver shows a black screen and still closes
    // normally: DrawFrame draws nothing while Points is null.
    r.Points = AllocatePoints(r.Count);
    if (r.Points) BuildPoints(r.Points, r.Count, v.ScreenWidth, v.ScreenHeight);
    r.PointSize = ScaledPointSize(2, v.ScreenWidth, v.ScreenHeight, v.WindowWidth, v.WindowHeight);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    OrbelInstance& r = Run(instance);
    if (!r.Points) return;
    StepPoints(r.Points, r.Count);

    // Stock objects: never deleted.
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    const bool pixels = GetMapMode(dc) == MM_TEXT;
    // All of last tick's squares go before any new one is drawn, so no
    // erase cuts into another point's new square. A point that has not
    // moved keeps its square: every square is drawn white again below, so
    // its erase would change no pixel of the finished frame.
    for (int32_t i = 0; i < r.Count; ++i) {
        const MassPoint& p = r.Points[i];
        if (p.DrawnX != p.X || p.DrawnY != p.Y) FillSquare(dc, pixels, p.DrawnX, p.DrawnY, r.PointSize, BLACKNESS);
    }
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    for (int32_t i = 0; i < r.Count; ++i) {
        MassPoint& p = r.Points[i];
        p.DrawnX = p.X;
        p.DrawnY = p.Y;
        FillSquare(dc, pixels, p.X, p.Y, r.PointSize, WHITENESS);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

bool QueryClose(SaverInstance& instance, HWND)
{
    OrbelInstance& r = Run(instance);
    // Cleared as well as freed, so nothing can reach the freed array.
    FreePoints(r.Points);
    r.Points = nullptr;
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

OrbelInstance::~OrbelInstance() { FreePoints(Points); }

const SaverHooks ProgramSaver = {
    "Orbel",
    true,  // a key or click ends the preview too
    Settings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};
