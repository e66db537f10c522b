#include "saver_shell.h"

#include "command_line.h"
#include "saver_hooks.h"
#include "settings_key.h"

const char SaverClassName[] = "TYPE1";

namespace {

constexpr UINT_PTR FrameTimer = 1;
constexpr WORD ProgramIcon = 101;

bool IsPreview(const SettingsKey& s) { return s.ParentWindow != nullptr; }

void ShowStartupError(const char* text)
{
    MessageBoxA(nullptr, text, ThisProgram.Name, MB_ICONERROR);
}

// A screen-sized copy of the desktop, taken before the saver has a window.
void TakeSnapshot(SettingsKey& s)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    s.DesktopSnapshot = CreateCompatibleDC(screen);
    s.SavedBitmap = SelectObject(s.DesktopSnapshot, bitmap);
    BitBlt(s.DesktopSnapshot, 0, 0, cx, cy, screen, 0, 0, SRCCOPY);
    ReleaseDC(desktop, screen);
}

void FreeSnapshot(SettingsKey& s)
{
    if (!s.DesktopSnapshot) return;
    DeleteObject(SelectObject(s.DesktopSnapshot, s.SavedBitmap));
    DeleteDC(s.DesktopSnapshot);
    s.DesktopSnapshot = nullptr;
    s.SavedBitmap = nullptr;
}

// The window covers the preview's client area, or the primary screen.
DWORD SettleWindowGeometry(SettingsKey& s)
{
    if (IsPreview(s)) {
        RECT r{};
        // A handle that names no window reads as 0 x 0; the child window's
        // creation then fails and says so.
        if (!GetClientRect(s.ParentWindow, &r)) r = RECT{};
        s.WindowWidth = r.right;
        s.WindowHeight = r.bottom;
        return WS_CHILD | WS_VISIBLE;
    }
    s.WindowWidth = GetSystemMetrics(SM_CXSCREEN);
    s.WindowHeight = GetSystemMetrics(SM_CYSCREEN);
    return WS_POPUP | WS_VISIBLE;
}

bool RegisterSaverClass(HINSTANCE instance)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = 0;
    wc.lpfnWndProc = SaverWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ProgramIcon));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = SaverClassName;
    wc.hIconSm = wc.hIcon;
    return RegisterClassExA(&wc) != 0;
}

int RunMessageLoop()
{
    MSG msg{};
    // GetMessage's -1 (an error) ends the loop as WM_QUIT does.
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return static_cast<int>(msg.wParam);
}

// Full-screen coordinates land scaled in the preview window, each axis on
// its own; set afresh on every tick because the DC is taken afresh.
void SetPreviewMapping(HDC dc, const SettingsKey& s)
{
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr);
    SetViewportExtEx(dc, s.WindowWidth, s.WindowHeight, nullptr);
}

LRESULT OnCreateMessage(HWND window)
{
    SettingsKey& s = ProgramSettings();
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    if (!IsPreview(s)) ShowCursor(FALSE);
    OnCreate(window);
    SetTimer(window, FrameTimer, s.TimerInterval, nullptr);
    return 0;
}

LRESULT OnCloseMessage(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (!QueryClose(window)) return 1;
    KillTimer(window, FrameTimer);
    if (!IsPreview(ProgramSettings())) ShowCursor(TRUE);
    return DefWindowProcA(window, WM_CLOSE, wParam, lParam);
}

LRESULT OnEraseBackground(HWND window, WPARAM wParam, LPARAM lParam)
{
    SettingsKey& s = ProgramSettings();
    if (!s.EraseBackground && IsPreview(s) && s.DesktopSnapshot) {
        // The window's own DC, not the one the message carries.
        HDC dc = GetDC(window);
        StretchBlt(dc, 0, 0, s.WindowWidth, s.WindowHeight, s.DesktopSnapshot, 0, 0,
                   GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), SRCCOPY);
        ReleaseDC(window, dc);
        // Painted once: later erase requests paint nothing.
        if (!s.KeepSnapshot) FreeSnapshot(s);
    }
    if (s.EraseBackground) return DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
    return 1;
}

LRESULT OnInput(HWND window)
{
    if (!IsPreview(ProgramSettings()) || ThisProgram.PreviewEndsOnInput)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return 1;
}

LRESULT OnTimerMessage(HWND window)
{
    SettingsKey& s = ProgramSettings();
    HDC dc = GetDC(window);
    if (IsPreview(s)) SetPreviewMapping(dc, s);
    DrawFrame(window, dc);
    ReleaseDC(window, dc);
    return 1;
}

// After the loop: the snapshot if kept, the saver's data, screen saving on.
int FinishRun(HINSTANCE instance, int exitCode)
{
    // A kept snapshot is freed here; so is one that was never painted.
    FreeSnapshot(ProgramSettings());
    Release();
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
    UnregisterClassA(SaverClassName, instance);
    return exitCode;
}

} // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreateMessage(window);
    case WM_DESTROY:
        PostQuitMessage(0);
        return 1;
    case WM_CLOSE:
        return OnCloseMessage(window, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(window, wParam, lParam);
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        return OnInput(window);
    case WM_TIMER:
        return OnTimerMessage(window);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int SaverMain(HINSTANCE instance, const char* args)
{
    SettingsKey& s = ProgramSettings();
    s.LoadFromRegistry();

    const ModeChoice choice = ChooseMode(args ? args : "");
    if (choice.Mode == SaverMode::Configure) {
        s.ParentWindow = reinterpret_cast<HWND>(choice.Handle);
        RunSettingsDialog(instance);
        return 0;
    }
    s.ParentWindow = choice.Mode == SaverMode::Preview ? reinterpret_cast<HWND>(choice.Handle) : nullptr;

    if (s.KeepSnapshot || (!s.EraseBackground && IsPreview(s))) TakeSnapshot(s);
    const DWORD style = SettleWindowGeometry(s);

    if (!Prepare()) {
        FreeSnapshot(s);
        Release();
        return 0;
    }
    if (!RegisterSaverClass(instance)) {
        FreeSnapshot(s);
        ShowStartupError("Failed to RegisterClassEx.\n");
        return 0;
    }
    HWND window = CreateWindowExA(0, SaverClassName, ThisProgram.Name, style, 0, 0, s.WindowWidth,
                                  s.WindowHeight, s.ParentWindow, nullptr, instance, nullptr);
    if (!window) {
        FreeSnapshot(s);
        ShowStartupError("Failed to CreateWindow.\n");
        UnregisterClassA(SaverClassName, instance);
        return 0;
    }
    return FinishRun(instance, RunMessageLoop());
}
