// The settings sweep: every numeric setting of a saver at its edges and far
// beyond, each run through the real shell in Run mode (in-process, on a real
// full-screen window). A run must draw, and a key press must end it within a
// second. The key comes from another thread at a set time after the window
// shows, as a user's would, whatever the saver is doing just then. The
// slowest frame of each run is printed beside it.
//
//   sweep_NAME.exe [Name=Number ...]   only the given values, else the table
#include "saver_hooks.h"
#include "saver_shell.h"
#include "table_saver.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// Every value also takes these: the smallest, the 16-bit and 32-bit edges,
// and what a REG_DWORD holds beyond 2^31 (negative once read as a signed
// number). Values far above a bound cover the bound itself after it moves.
const DWORD Edges[] = {0, 1, 2, 32768, 65536, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

constexpr DWORD KeyDelayMs = 400;    // from the window's showing to the key press
constexpr DWORD RunLimitMs = 15000;  // a run that takes longer is stuck
constexpr DWORD KeyLimitMs = 1000;   // from the key press to the program's end

// The run being watched, one at a time: the saver's thread fills in the
// window and the frames, the watchdog presses the key.
struct Watch {
    std::atomic<HWND> Window{nullptr};
    WNDPROC Original = nullptr;
    std::atomic<int> Frames{0};
    double SlowestMs = 0;
    std::atomic<DWORD> Start{0};
    std::atomic<DWORD> ShownAt{0};
    std::atomic<DWORD> KeyAt{0};

    void Reset()
    {
        Window = nullptr;
        Original = nullptr;
        Frames = 0;
        SlowestMs = 0;
        ShownAt = 0;
        KeyAt = 0;
        Start = GetTickCount();
    }
};
Watch Current;
LARGE_INTEGER Frequency;

double Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(Frequency.QuadPart);
}

// Times each tick's work (the DC, the saver's frame) on its way through.
LRESULT CALLBACK TimingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER) return CallWindowProcA(Current.Original, window, message, wParam, lParam);
    const double t0 = Now();
    const LRESULT answer = CallWindowProcA(Current.Original, window, message, wParam, lParam);
    const double ms = Now() - t0;
    if (ms > Current.SlowestMs) Current.SlowestMs = ms;
    ++Current.Frames;
    return answer;
}

// Runs on the saver's own message loop: finds its window and times its
// frames from then on.
void CALLBACK FindSaverWindow(HWND, UINT, UINT_PTR, DWORD)
{
    if (Current.Window) return;
    HWND window = FindWindowA("TYPE1", ProgramSaver.Name);
    if (!window) return;
    Current.Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimingProc)));
    Current.ShownAt = GetTickCount();
    Current.Window = window;
}

// Presses the key at its time, and ends the program with the verdict when a
// run is stuck (nothing on the saver's own thread could).
DWORD WINAPI Watchdog(void* label)
{
    for (;;) {
        Sleep(10);
        const DWORD start = Current.Start;
        const DWORD shown = Current.ShownAt;
        if (shown && !Current.KeyAt && GetTickCount() - shown >= KeyDelayMs) {
            Current.KeyAt = GetTickCount();
            PostMessageA(Current.Window, WM_KEYDOWN, VK_SPACE, 0);
        }
        if (start && GetTickCount() - start > RunLimitMs) {
            std::printf("FAIL: %s: still running after %lu ms (%d frames)\n", static_cast<std::string*>(label)->c_str(),
                        static_cast<unsigned long>(RunLimitMs), Current.Frames.load());
            std::fflush(stdout);
            ExitProcess(1);
        }
    }
}

std::string KeyPath() { return std::string("Software\\Zamvel\\") + ProgramSaver.Name; }

void Store(const char* name, DWORD value)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

// One run; true when it drew and ended on the key in time with exit code 0.
bool SweepOne(const char* name, DWORD value, std::string& label)
{
    label = std::string(ProgramSaver.Name) + " " + name + "=" + std::to_string(value);
    Store(name, value);
    Current.Reset();
    const UINT_PTR finder = SetTimer(nullptr, 0, 10, FindSaverWindow);
    const int code = SaverMain(GetModuleHandleA(nullptr), "/s", ProgramSaver);
    const DWORD end = GetTickCount();
    KillTimer(nullptr, finder);
    Current.Start = 0;

    const DWORD afterKey = Current.KeyAt ? end - Current.KeyAt : 0;
    const bool ok = code == 0 && Current.KeyAt && Current.Frames >= 1 && afterKey <= KeyLimitMs;
    std::printf("%s: %s: %d frames, slowest %.1f ms, ended %lu ms after the key, exit code %d\n",
                ok ? "ok" : "FAIL", label.c_str(), Current.Frames.load(), Current.SlowestMs,
                static_cast<unsigned long>(afterKey), code);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QueryPerformanceFrequency(&Frequency);
    std::vector<std::pair<std::string, DWORD>> runs;
    for (int i = 1; i < argc; ++i) {
        const char* eq = std::strchr(argv[i], '=');
        if (!eq) return 2;
        runs.emplace_back(std::string(argv[i], static_cast<size_t>(eq - argv[i])),
                          static_cast<DWORD>(std::strtoul(eq + 1, nullptr, 10)));
    }
    // Every numeric value the program reads, at the edges above and at
    // those of the bounds its schema gives.
    const SaverTable& table = ProgramWindows.Table;
    const bool given = !runs.empty();
    for (int32_t i = 0; !given && i < table.SettingCount; ++i) {
        const SettingSpec& v = table.Settings[i];
        if (!IsNumeric(v)) continue;
        std::set<DWORD> values(std::begin(Edges), std::end(Edges));
        if (v.Kind != SettingKind::Flag)
            for (int64_t b : {int64_t{v.Min} - 1, int64_t{v.Min}, int64_t{v.Max}, int64_t{v.Max} + 1})
                values.insert(static_cast<DWORD>(b));
        for (DWORD value : values) runs.emplace_back(v.Name, value);
    }

    std::string label;
    CreateThread(nullptr, 0, Watchdog, &label, 0, nullptr);
    int failed = 0;
    for (const auto& r : runs)
        if (!SweepOne(r.first.c_str(), r.second, label)) ++failed;
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    std::printf("sweep %s: %zu runs, %d failed\n", ProgramSaver.Name, runs.size(), failed);
    return failed || runs.empty() ? 1 : 0;
}
