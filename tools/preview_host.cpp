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
// destroys the saver's window with it.
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
    if (message == WM_CLOSE) {
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
// Runs the program's window messages for the host while the child runs.
DWORD SpawnAndWait(const char* program, HWND host)
{
    char commandLine[1024];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" /p %llu", program,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 255;
    CloseHandle(pi.hThread);
    for (;;) {
        const DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
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
    (void)args;
    char switches[64];
    std::snprintf(switches, sizeof switches, "/p %llu",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    const int code = SaverMain(instance, switches);
#else
    if (!args || !*args) {
        MessageBoxA(nullptr, "usage: preview-host PROGRAM.scr", "Preview", MB_ICONERROR);
        return 2;
    }
    const int code = static_cast<int>(SpawnAndWait(args, host));
#endif
    if (IsWindow(host)) DestroyWindow(host);
    return code;
}
