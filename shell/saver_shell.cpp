#include "saver_shell.h"

#include <memory>

#include "failure_points.h"

#include "command_line.h"
#include "settings_key.h"

const char SaverClassName[] = "TYPE1";

namespace {

constexpr UINT_PTR FrameTimer = 1;
constexpr WORD ProgramIcon = 101;
// Monitors beyond this many stay uncovered; no desk has that many.
constexpr int MaxWindows = 16;

struct ShellRun;

// What the shell keeps for one window: its saver instance and, until the
// window's first erase request paints it, a copy of what its part of the
// screen showed.
struct SaverWindow {
    ShellRun* Run = nullptr;
    std::unique_ptr<SaverInstance> Instance;
    HWND Window = nullptr;
    HDC Snapshot = nullptr;
    HGDIOBJ SavedBitmap = nullptr;
};

// One run: its windows, and what happens once per run however many there
// are (screen saving off, the cursor hidden and shown again, the quit).
struct ShellRun {
    const SaverHooks* Saver = nullptr;
    SettingsKey* Settings = nullptr;
    bool Preview = false;
    std::unique_ptr<SaverWindow[]> Windows;
    int Count = 0;
    int Live = 0;      // windows created and not yet destroyed
    int Open = 0;      // windows whose close has not been allowed yet
    bool Started = false;  // the first window has been created
    bool Looping = false;  // the message loop runs: the last window's end quits it
};

void ShowStartupError(const SaverHooks& saver, const char* text)
{
    MessageBoxA(nullptr, text, saver.Name, MB_ICONERROR);
}

// A copy of the screen's rectangle (left, top, cx, cy), taken before the
// saver has a window; nothing when the copy cannot be made.
void TakeSnapshot(SaverWindow& w, int left, int top, int cx, int cy)
{
    HWND desktop = GetDesktopWindow();
    HDC screen = GetDC(desktop);
    HBITMAP bitmap = InjectedFailure(FailurePoint::GdiObject) ? nullptr : CreateCompatibleBitmap(screen, cx, cy);
    HDC copy = bitmap && !InjectedFailure(FailurePoint::GdiObject) ? CreateCompatibleDC(screen) : nullptr;
    if (copy) {
        w.Snapshot = copy;
        w.SavedBitmap = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, cx, cy, screen, left, top, SRCCOPY);
    } else if (bitmap) {
        DeleteObject(bitmap);
    }
    ReleaseDC(desktop, screen);
}

void FreeSnapshot(SaverWindow& w)
{
    if (!w.Snapshot) return;
    DeleteObject(SelectObject(w.Snapshot, w.SavedBitmap));
    DeleteDC(w.Snapshot);
    w.Snapshot = nullptr;
    w.SavedBitmap = nullptr;
}

// The preview's one view: the host window's client area, showing the
// primary screen shrunk.
int PreviewView(HWND parent, SaverView& view)
{
    RECT r{};
    // A handle that names no window reads as 0 x 0; the child window's
    // creation then fails and says so.
    if (!GetClientRect(parent, &r)) r = RECT{};
    view.ParentWindow = parent;
    view.WindowWidth = r.right;
    view.WindowHeight = r.bottom;
    view.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    view.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    return 1;
}

struct MonitorViews {
    SaverView* Views;
    int Count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM lParam)
{
    MonitorViews& m = *reinterpret_cast<MonitorViews*>(lParam);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (m.Count >= MaxWindows || !GetMonitorInfoA(monitor, &info)) return TRUE;
    SaverView v;
    v.Left = info.rcMonitor.left;
    v.Top = info.rcMonitor.top;
    v.WindowWidth = v.ScreenWidth = info.rcMonitor.right - info.rcMonitor.left;
    v.WindowHeight = v.ScreenHeight = info.rcMonitor.bottom - info.rcMonitor.top;
    // The primary monitor comes first: its instance draws the random
    // numbers a run on one monitor draws.
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        for (int i = m.Count; i > 0; --i) m.Views[i] = m.Views[i - 1];
        m.Views[0] = v;
    } else {
        m.Views[m.Count] = v;
    }
    ++m.Count;
    return TRUE;
}

// Run mode's views: one per monitor, each covering its monitor exactly.
int RunViews(SaverView* views)
{
    MonitorViews m{views, 0};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&m));
    if (m.Count > 0) return m.Count;
    views[0] = SaverView{};
    views[0].WindowWidth = views[0].ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    views[0].WindowHeight = views[0].ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    return 1;
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
void SetPreviewMapping(HDC dc, const SaverView& view)
{
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr);
    SetViewportExtEx(dc, view.WindowWidth, view.WindowHeight, nullptr);
}

SaverWindow* WindowOf(HWND window)
{
    return reinterpret_cast<SaverWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT OnCreateMessage(SaverWindow& w)
{
    ShellRun& run = *w.Run;
    // Once per run, as its first window appears.
    if (!run.Started) {
        run.Started = true;
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
        if (!run.Preview) ShowCursor(FALSE);
    }
    ++run.Open;
    run.Saver->OnCreate(*w.Instance, w.Window);
    SetTimer(w.Window, FrameTimer, run.Settings->TimerInterval, nullptr);
    return 0;
}

LRESULT OnDestroyMessage(SaverWindow& w)
{
    ShellRun& run = *w.Run;
    SetWindowLongPtrA(w.Window, GWLP_USERDATA, 0);
    w.Window = nullptr;
    if (--run.Live == 0 && run.Looping) PostQuitMessage(0);
    return 1;
}

LRESULT OnCloseMessage(SaverWindow& w, WPARAM wParam, LPARAM lParam)
{
    ShellRun& run = *w.Run;
    HWND window = w.Window;
    if (!run.Saver->QueryClose(*w.Instance, window)) return 1;
    KillTimer(window, FrameTimer);
    // The cursor comes back once, with the last window's allowed close.
    if (--run.Open == 0 && !run.Preview) ShowCursor(TRUE);
    return DefWindowProcA(window, WM_CLOSE, wParam, lParam);
}

LRESULT OnEraseBackground(SaverWindow& w, WPARAM wParam, LPARAM lParam)
{
    const SettingsKey& s = *w.Run->Settings;
    const SaverView& view = w.Instance->View;
    if (!s.EraseBackground && w.Snapshot) {
        // The window's own DC, not the one the message carries: the
        // preview shows the whole screen shrunk, a monitor's window its
        // own part of the screen as it was.
        HDC dc = GetDC(w.Window);
        if (w.Run->Preview)
            StretchBlt(dc, 0, 0, view.WindowWidth, view.WindowHeight, w.Snapshot, 0, 0,
                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), SRCCOPY);
        else
            BitBlt(dc, 0, 0, view.WindowWidth, view.WindowHeight, w.Snapshot, 0, 0, SRCCOPY);
        ReleaseDC(w.Window, dc);
        // Painted once: later erase requests paint nothing.
        FreeSnapshot(w);
    }
    if (s.EraseBackground) return DefWindowProcA(w.Window, WM_ERASEBKGND, wParam, lParam);
    return 1;
}

// A key press or left click in any window ends the whole run.
LRESULT OnInput(SaverWindow& w)
{
    ShellRun& run = *w.Run;
    if (run.Preview && !run.Saver->PreviewEndsOnInput) return 1;
    for (int i = 0; i < run.Count; ++i)
        if (run.Windows[i].Window) PostMessageA(run.Windows[i].Window, WM_CLOSE, 0, 0);
    return 1;
}

LRESULT OnTimerMessage(SaverWindow& w)
{
    HDC dc = GetDC(w.Window);
    if (w.Run->Preview) SetPreviewMapping(dc, w.Instance->View);
    w.Run->Saver->DrawFrame(*w.Instance, w.Window, dc);
    ReleaseDC(w.Window, dc);
    return 1;
}

void FreeSnapshots(ShellRun& run)
{
    for (int i = 0; i < run.Count; ++i) FreeSnapshot(run.Windows[i]);
}

// The instances' end: each deleted, in window order, with all its run holds.
void EndInstances(ShellRun& run)
{
    for (int i = 0; i < run.Count; ++i) run.Windows[i].Instance.reset();
    run.Windows.reset();
}

// Every instance made and prepared, in window order; false when one cannot
// be (what was made goes with EndInstances).
bool PrepareInstances(ShellRun& run, const SaverView* views)
{
    for (int i = 0; i < run.Count; ++i) {
        run.Windows[i].Instance.reset(run.Saver->NewInstance(views[i]));
        if (!run.Windows[i].Instance || !run.Saver->Prepare(*run.Windows[i].Instance)) return false;
    }
    return true;
}

// Every window created; false when one cannot be. The windows already made
// are taken down again, and what their creation started is undone.
bool CreateWindows(ShellRun& run, HINSTANCE instance)
{
    const DWORD style = run.Preview ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
    HWND parent = run.Preview ? run.Settings->ParentWindow : nullptr;
    for (int i = 0; i < run.Count; ++i) {
        SaverWindow& w = run.Windows[i];
        const SaverView& v = w.Instance->View;
        // The position is the monitor's corner; a preview child sits at 0, 0.
        if (CreateWindowExA(0, SaverClassName, run.Saver->Name, style, v.Left, v.Top, v.WindowWidth,
                            v.WindowHeight, parent, nullptr, instance, &w))
            continue;
        for (int k = 0; k < i; ++k)
            if (run.Windows[k].Window) DestroyWindow(run.Windows[k].Window);
        if (run.Started) {
            if (!run.Preview) ShowCursor(TRUE);
            SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
        }
        return false;
    }
    return true;
}

} // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        // The shell's record of the window comes with its creation.
        SaverWindow* w = static_cast<SaverWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (w) {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
            w->Window = window;
            ++w->Run->Live;
        }
    }
    SaverWindow* w = WindowOf(window);
    if (!w) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        return OnCreateMessage(*w);
    case WM_DESTROY:
        return OnDestroyMessage(*w);
    case WM_CLOSE:
        return OnCloseMessage(*w, wParam, lParam);
    case WM_ERASEBKGND:
        return OnEraseBackground(*w, wParam, lParam);
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        return OnInput(*w);
    case WM_TIMER:
        return OnTimerMessage(*w);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

int SaverMain(HINSTANCE instance, const char* args, const SaverHooks& saver)
{
    SettingsKey& s = saver.Settings();
    s.LoadFromRegistry();

    const ModeChoice choice = ChooseMode(args ? args : "");
    if (choice.Mode == SaverMode::Configure) {
        s.ParentWindow = reinterpret_cast<HWND>(choice.Handle);
        saver.RunSettingsDialog(instance);
        return 0;
    }
    s.ParentWindow = choice.Mode == SaverMode::Preview ? reinterpret_cast<HWND>(choice.Handle) : nullptr;

    SaverView views[MaxWindows];
    ShellRun run;
    run.Saver = &saver;
    run.Settings = &s;
    run.Preview = s.ParentWindow != nullptr;
    run.Count = run.Preview ? PreviewView(s.ParentWindow, views[0]) : RunViews(views);
    for (int i = 0; i < run.Count; ++i) views[i].Index = i;
    run.Windows.reset(NewArrayOrNull<SaverWindow>(static_cast<size_t>(run.Count)));
    if (!run.Windows) return 0;
    for (int i = 0; i < run.Count; ++i) run.Windows[i].Run = &run;

    // The screen as it was, for a saver that draws over it: the whole screen
    // for the preview, each monitor's own part for its window.
    if (!s.EraseBackground)
        for (int i = 0; i < run.Count; ++i) {
            const SaverView& v = views[i];
            if (run.Preview)
                TakeSnapshot(run.Windows[i], 0, 0, v.ScreenWidth, v.ScreenHeight);
            else
                TakeSnapshot(run.Windows[i], v.Left, v.Top, v.WindowWidth, v.WindowHeight);
        }

    if (!PrepareInstances(run, views)) {
        FreeSnapshots(run);
        EndInstances(run);
        return 0;
    }
    if (!RegisterSaverClass(instance)) {
        FreeSnapshots(run);
        ShowStartupError(saver, "Failed to RegisterClassEx.\n");
        EndInstances(run);
        return 0;
    }
    if (!CreateWindows(run, instance)) {
        FreeSnapshots(run);
        ShowStartupError(saver, "Failed to CreateWindow.\n");
        EndInstances(run);
        UnregisterClassA(SaverClassName, instance);
        return 0;
    }

    run.Looping = true;
    const int exitCode = RunMessageLoop();
    // Snapshots never painted, then the saver's data; screen saving on.
    FreeSnapshots(run);
    EndInstances(run);
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
    UnregisterClassA(SaverClassName, instance);
    return exitCode;
}
