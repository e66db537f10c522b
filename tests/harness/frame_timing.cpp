// The frame-timing harness: runs a saver's hooks as the shell would
// (LoadSettings, Prepare, OnCreate, then DrawFrame N times) and prints the
// median and 95th-percentile cost of one DrawFrame in microseconds: on a real
// full-screen window, on a screen-sized memory DC, and on a DC handle that
// names no DC, where every drawing call is refused at once, so what is left
// is the saver's own work (and the calls that need no DC, such as creating
// brushes). The gap to the window is what wine's drawing costs.
//
//   harness_NAME.exe [--frames N] [Value=Number ...]
//
// Each Value=Number is written as a REG_DWORD to the program's key before the
// settings load, so one program is timed at several settings.
#include "saver_hooks.h"
#include "random.h"
#include "settings_key.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Options {
    int Frames = 200;
    std::vector<std::pair<std::string, DWORD>> Values;
    std::string Label;
};

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            o.Frames = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        const char* eq = std::strchr(argv[i], '=');
        if (!eq) return false;
        o.Values.emplace_back(std::string(argv[i], static_cast<size_t>(eq - argv[i])), static_cast<DWORD>(std::strtol(eq + 1, nullptr, 10)));
        if (!o.Label.empty()) o.Label += ' ';
        o.Label += argv[i];
    }
    if (o.Label.empty()) o.Label = "defaults";
    return true;
}

std::string KeyPath() { return std::string("Software\\Zamvel\\") + ProgramSaver.Name; }

void WriteValues(const Options& o)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, KeyPath().c_str());
    if (o.Values.empty()) return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& v : o.Values)
        RegSetValueExA(key, v.first.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.second), 4);
    RegCloseKey(key);
}

HWND CreateTimingWindow(bool visible)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "ZamvelFrameTiming";
    RegisterClassA(&wc);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    return CreateWindowExA(0, wc.lpszClassName, ProgramSaver.Name, WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0,
                           cx, cy, nullptr, nullptr, wc.hInstance, nullptr);
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[i];
}

enum class Surface { Window, MemoryDc, NoDc };

const char* SurfaceName(Surface s)
{
    switch (s) {
    case Surface::Window: return "window";
    case Surface::MemoryDc: return "memory DC";
    case Surface::NoDc: return "no DC";
    }
    return "";
}

// Low handle values are never handed out for DCs: every call on it fails.
HDC RefusingDc() { return reinterpret_cast<HDC>(static_cast<UINT_PTR>(4)); }

// One pass: fresh settings, the hooks in the shell's order, N timed frames.
bool TimePass(const Options& o, Surface surface, std::vector<double>& costs)
{
    const SaverHooks& saver = ProgramSaver;
    SettingsKey& s = saver.Settings();
    SeedRandom(1);
    s.LoadFromRegistry();
    s.ParentWindow = nullptr;
    SaverView view;
    view.WindowWidth = view.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    view.WindowHeight = view.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<SaverInstance> run(saver.NewInstance(view));
    if (!run) return false;
    if (!saver.Prepare(*run)) {
        saver.Release(*run);
        return false;
    }
    const bool onWindow = surface == Surface::Window;
    HWND window = CreateTimingWindow(onWindow);
    if (!window) {
        saver.Release(*run);
        return false;
    }
    saver.OnCreate(*run, window);
    Pump();

    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, view.WindowWidth, view.WindowHeight);
    HGDIOBJ saved = SelectObject(memory, bitmap);
    PatBlt(memory, 0, 0, view.WindowWidth, view.WindowHeight, BLACKNESS);
    ReleaseDC(window, screen);

    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    costs.clear();
    for (int i = 0; i < o.Frames; ++i) {
        HDC dc = onWindow ? GetDC(window) : surface == Surface::MemoryDc ? memory : RefusingDc();
        QueryPerformanceCounter(&t0);
        saver.DrawFrame(*run, window, dc);
        GdiFlush();
        QueryPerformanceCounter(&t1);
        if (onWindow) ReleaseDC(window, dc);
        costs.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart));
        Pump();
    }
    saver.QueryClose(*run, window);
    DestroyWindow(window);
    Pump();
    saver.Release(*run);
    SelectObject(memory, saved);
    DeleteObject(bitmap);
    DeleteDC(memory);
    UnregisterClassA("ZamvelFrameTiming", GetModuleHandleA(nullptr));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s [--frames N] [Value=Number ...]\n", argv[0]);
        return 2;
    }
    WriteValues(o);
    int failures = 0;
    for (Surface surface : {Surface::Window, Surface::MemoryDc, Surface::NoDc}) {
        std::vector<double> costs;
        if (!TimePass(o, surface, costs)) {
            std::printf("frame %s | %s | %s | failed to start\n", ProgramSaver.Name, o.Label.c_str(),
                        SurfaceName(surface));
            ++failures;
            continue;
        }
        std::printf("frame %s | %s | %s | frames %d | median %.0f us | p95 %.0f us\n", ProgramSaver.Name,
                    o.Label.c_str(), SurfaceName(surface), o.Frames, Percentile(costs, 0.5),
                    Percentile(costs, 0.95));
    }
    WriteValues(Options{});
    return failures ? 1 : 0;
}
