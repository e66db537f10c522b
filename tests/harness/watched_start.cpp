#include "watched_start.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "saver_shell.h"

namespace {

// The start being watched, one at a time: the hooks on the saver's thread
// fill it in; the watchdog and the crash report read the label.
struct Watch {
    char Label[1024] = "";
    std::atomic<bool> Running{false};
    std::atomic<DWORD> StartedAt{0};
    DWORD LimitMs = 20000;
    int FramesBeforeKey = 1;
    std::wstring KeyPath;
    HWND Window = nullptr;
    WNDPROC Original = nullptr;
    HHOOK Hook = nullptr;
    HANDLE Watchdog = nullptr;
    StartSeen Seen;
};
Watch Current;

void Begin(const std::string& label)
{
    std::snprintf(Current.Label, sizeof Current.Label, "%s", label.c_str());
    Current.Window = nullptr;
    Current.Original = nullptr;
    Current.Seen.Frames = 0;
    Current.Seen.DialogShown = false;
    Current.Seen.AtDialog.clear();
    Current.Seen.Boxes = 0;
    Current.Seen.LastBox[0] = '\0';
    Current.StartedAt = GetTickCount();
    Current.Running = true;
}

// The saver's window: its first ticks are asked for at once rather than
// every 50 ms, and the key follows the last of them.
LRESULT CALLBACK RunProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT answer = CallWindowProcA(Current.Original, window, message, wParam, lParam);
    if (message == WM_CREATE) PostMessageA(window, WM_TIMER, 1, 0);
    if (message == WM_TIMER) {
        const int frames = ++Current.Seen.Frames;
        if (frames < Current.FramesBeforeKey) PostMessageA(window, WM_TIMER, 1, 0);
        if (frames == Current.FramesBeforeKey) PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    }
    return answer;
}

// Sees every window the thread makes: takes the saver's first window over,
// answers the settings dialog with Cancel once it shows, after taking the
// key's export, and a message box with OK, after taking its text.
LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char name[64] = "";
    if (code == HCBT_CREATEWND && !Current.Window && GetClassNameA(window, name, sizeof name) &&
        std::strcmp(name, SaverClassName) == 0) {
        Current.Window = window;
        Current.Original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RunProc)));
    }
    if (code == HCBT_ACTIVATE && GetClassNameA(window, name, sizeof name) && std::strcmp(name, "#32770") == 0) {
        char caption[64] = "";
        GetWindowTextA(window, caption, sizeof caption);
        if (std::strcmp(caption, "Setting") == 0) {
            if (!Current.Seen.DialogShown) {
                Current.Seen.DialogShown = true;
                Current.Seen.AtDialog = ExportKey(Current.KeyPath);
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        } else {
            // A message box: its text sits in its static control 0xFFFF.
            ++Current.Seen.Boxes;
            GetDlgItemTextA(window, 0xFFFF, Current.Seen.LastBox, sizeof Current.Seen.LastBox);
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(Current.Hook, code, wParam, lParam);
}

DWORD WINAPI Watchdog(void*)
{
    for (;;) {
        Sleep(50);
        if (Current.Running && GetTickCount() - Current.StartedAt > Current.LimitMs) {
            std::printf("FAIL: %s: still running after %lu ms\n", Current.Label,
                        static_cast<unsigned long>(Current.LimitMs));
            std::fflush(stdout);
            ExitProcess(1);
        }
    }
}

bool IsCrash(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case 0xC0000374:  // heap corruption
    case 0xC0000409:  // stack buffer overrun
        return true;
    default:
        return false;
    }
}

// Every crash, where it happens: wine (like 64-bit Windows) swallows
// exceptions in window procedures called back from the system (WM_CREATE,
// the dialog's messages), so the handler that sees them first says so,
// starts wine's debugger and hands the exception to it as unhandled: its
// backtrace follows and the process ends.
LONG CALLBACK ReportCrash(EXCEPTION_POINTERS* e)
{
    const DWORD code = e->ExceptionRecord->ExceptionCode;
    if (!IsCrash(code)) return EXCEPTION_CONTINUE_SEARCH;
    std::printf("FAIL: %s: exception 0x%08lX at %p\n", Current.Label, static_cast<unsigned long>(code),
                e->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    UnhandledExceptionFilter(e);
    using RaiseFn = LONG(WINAPI*)(EXCEPTION_RECORD*, CONTEXT*, BOOLEAN);
    const auto raise = reinterpret_cast<RaiseFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtRaiseException")));
    if (raise) raise(e->ExceptionRecord, e->ContextRecord, FALSE);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

std::wstring ProgramKeyPath(const char* program)
{
    std::wstring path = L"Software\\Zamvel\\";
    for (const char* c = program; *c; ++c) path += static_cast<wchar_t>(*c);
    return path;
}

void WatchStarts(const std::wstring& keyPath, DWORD limitMs, int frames)
{
    Current.FramesBeforeKey = frames;
    Current.KeyPath = keyPath;
    Current.LimitMs = limitMs;
    AddVectoredExceptionHandler(1, ReportCrash);
    Current.Hook = SetWindowsHookExA(WH_CBT, WatchWindows, nullptr, GetCurrentThreadId());
    if (!Current.Watchdog) Current.Watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
}

void StopWatchingStarts()
{
    UnhookWindowsHookEx(Current.Hook);
    Current.Hook = nullptr;
}

int WatchedStart(const SaverHooks& saver, const char* args, const std::string& label)
{
    Begin(label);
    const int code = SaverMain(GetModuleHandleA(nullptr), args, saver);
    Current.Running = false;
    return code;
}

const StartSeen& LastStart() { return Current.Seen; }

void CrashingOnCreate(SaverInstance&, HWND)
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}
