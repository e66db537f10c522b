// Orbel's hooks: the points are built when the window is created, stepped
// and redrawn on every tick, and freed when the window closes.
#include "orbel_settings.h"
#include "resource.h"
#include "saver_hooks.h"

const SaverProgram ThisProgram = {"Orbel", true /* a key or click ends the preview too */};

namespace {

// Fetched once when the program starts and kept for the whole run; stock
// objects are never deleted.
struct StockObjects {
    HGDIOBJ BlackBrush = GetStockObject(BLACK_BRUSH);
    HGDIOBJ WhiteBrush = GetStockObject(WHITE_BRUSH);
    HGDIOBJ NullPen = GetStockObject(NULL_PEN);
};
const StockObjects Stock;

void DrawSquare(HDC dc, int32_t x, int32_t y, int32_t side)
{
    Rectangle(dc, x, y, x + side, y + side);
}

} // namespace

bool Prepare() { return true; }

void OnCreate(HWND window)
{
    OrbelSettings& s = Orbel();
    FreePoints(s.Points);
    // Without the memory the saver shows a black screen and still closes
    // normally: DrawFrame draws nothing while Points is null.
    s.Points = AllocatePoints(s.Count);
    if (s.Points) BuildPoints(s.Points, s.Count, s.ScreenWidth, s.ScreenHeight);
    s.PointSize = ScaledPointSize(s.PointSize, s.ScreenWidth, s.ScreenHeight, s.WindowWidth, s.WindowHeight);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(HWND, HDC dc)
{
    OrbelSettings& s = Orbel();
    if (!s.Points) return;
    StepPoints(s.Points, s.Count);

    const HGDIOBJ oldPen = SelectObject(dc, Stock.NullPen);
    const HGDIOBJ oldBrush = SelectObject(dc, Stock.BlackBrush);
    // All of last tick's squares go before any new one is drawn, so no
    // erase cuts into another point's new square.
    for (int32_t i = 0; i < s.Count; ++i) DrawSquare(dc, s.Points[i].DrawnX, s.Points[i].DrawnY, s.PointSize);
    SelectObject(dc, Stock.WhiteBrush);
    for (int32_t i = 0; i < s.Count; ++i) {
        MassPoint& p = s.Points[i];
        p.DrawnX = p.X;
        p.DrawnY = p.Y;
        DrawSquare(dc, p.X, p.Y, s.PointSize);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

bool QueryClose(HWND)
{
    OrbelSettings& s = Orbel();
    // Cleared as well as freed, so nothing can reach the freed array.
    FreePoints(s.Points);
    s.Points = nullptr;
    return true;
}

void Release() {}

INT_PTR RunSettingsDialog(HINSTANCE instance)
{
    // The wide form, so the dialog's Japanese texts show right whatever the
    // system's ANSI code page; the procedure handles no text.
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SETTING), Orbel().ParentWindow, OrbelDialogProc, 0);
}
