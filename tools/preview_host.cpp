// A stand-in for the display settings' preview: a top-level window titled
// "Preview" whose client area is the classic 152 x 112, with a saver drawing
// into it as a child window.
//
// Linked with a saver (NAME-preview.exe) it runs that saver's shell in this
// process, on this thread, with "/p <handle>", so what the saver paints
// shows in the host (wine does not show a child window painted from another
// process). Built alone (preview-host.exe) it starts a real program with
// "/p <handle>" instead and waits for it; the exit code is the program's.
//
// Either way the host ends when the saver has ended; closing the host window
// destroys the saver's window with it. The host hands its keyboard focus to
// the saver's window, so a key press reaches the saver as in the real preview.
//
// NAME-preview.exe [SECONDS] and preview-host.exe PROGRAM [SECONDS]: after SECONDS (default: never) the host
// destroys its window, as the display settings do when they close. Once the
// saver's window has appeared the host prints "child CLASS TITLE WxH".
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#ifdef ZAMVEL_IN_PROCESS
#include "saver_shell.h"
#endif

namespace {

constexpr int PreviewWidth = 152;
constexpr int PreviewHeight = 112;
const char HostClass[] = "ZamvelPreviewHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SETFOCUS:
        if (HWND child = GetWindow(window, GW_CHILD)) SetFocus(child);
        return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE && GetForegroundWindow() == window)
            SetFocus(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_TIMER:
        KillTimer(window, wParam);
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateHost(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = HostClass;
    RegisterClassA(&wc);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    RECT r{0, 0, PreviewWidth, PreviewHeight};
    AdjustWindowRect(&r, style, FALSE);
    return CreateWindowExA(0, HostClass, "Preview", style, 40, 40, r.right - r.left, r.bottom - r.top,
                           nullptr, nullptr, instance, nullptr);
}

#ifndef ZAMVEL_IN_PROCESS
void ReportChild(HWND host)
{
    HWND child = GetWindow(host, GW_CHILD);
    if (!child) return;
    char cls[64] = "", title[64] = "";
    GetClassNameA(child, cls, sizeof cls);
    GetWindowTextA(child, title, sizeof title);
    RECT r{};
    GetClientRect(child, &r);
    std::printf("child %s %s %ldx%ld\n", cls, title, r.right, r.bottom);
    std::fflush(stdout);
}

// Runs the host's window messages while the program runs.
DWORD SpawnAndWait(const char* program, HWND host)
{
    char commandLine[1024];
    std::snprintf(commandLine, sizeof commandLine, "%s /p %llu", program,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 255;
    CloseHandle(pi.hThread);
    bool reported = false;
    for (;;) {
        const DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 50, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        if (!reported && IsWindow(host) && GetWindow(host, GW_CHILD)) {
            ReportChild(host);
            reported = true;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    DWORD code = 255;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    return code;
}
#endif

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int)
{
    HWND host = CreateHost(instance);
    if (!host) return 1;
    UpdateWindow(host);
#ifdef ZAMVEL_IN_PROCESS
    const int seconds = args ? std::atoi(args) : 0;
    if (seconds > 0) SetTimer(host, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    char switches[64];
    std::snprintf(switches, sizeof switches, "/p %llu",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    const int code = SaverMain(instance, switches, ProgramSaver);
#else
    if (!args || !*args) {
        MessageBoxA(nullptr, "usage: preview-host PROGRAM.scr [SECONDS]", "Preview", MB_ICONERROR);
        return 2;
    }
    // The program's path, then optionally the seconds until the host closes.
    char program[MAX_PATH] = "";
    int seconds = 0;
    if (std::sscanf(args, "%259s %d", program, &seconds) < 1) return 2;
    if (seconds > 0) SetTimer(host, 1, static_cast<UINT>(seconds) * 1000, nullptr);
    const int code = static_cast<int>(SpawnAndWait(program, host));
#endif
    if (IsWindow(host)) DestroyWindow(host);
    return code;
}
