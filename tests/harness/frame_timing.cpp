// The frame-timing harness: runs a saver's hooks as the shell would
// (LoadSettings, Prepare, OnCreate, then DrawFrame N times) and prints the
// median and 95th-percentile cost of one DrawFrame in microseconds: on a real
// full-screen window, on a screen-sized memory DC, and on a DC handle that
// names no DC, where every drawing call is refused at once, so what is left
// is the saver's own work (and the calls that need no DC, such as creating
// brushes). The gap to the window is what wine's drawing costs.
//
// With --soak it runs one saver instance for TICKS ticks on the memory DC
// instead and watches the process: its private bytes and live GDI objects
// after the warm-up (a tenth of the ticks unless given) and at ten points
// after it. Both must stay flat: the run fails when the objects ever exceed
// their count after the warm-up, or the bytes grow by more than the
// tolerance (1024 KB unless given). --leak memory (256 bytes a tick) or
// --leak gdi (a brush every 100 ticks) makes the harness leak on purpose, so
// a test can show that the verdict catches it.
//
//   harness_NAME.exe [--frames N] [--list N[xL]] [Value=Number ...]
//   harness_NAME.exe --soak TICKS [--warmup N] [--tolerance-kb K] [--leak memory|gdi]
//                    [--list N[xL]] [Value=Number ...]
//
// Each Value=Number is written as a REG_DWORD to the program's key before the
// settings load, so one program is timed at several settings (Value=max: the
// upper bound its schema gives); --list N
// stores N texts of 259 bytes, the longest an entry holds, in its "List"
// (--list NxL: of L bytes).
#include "saver_hooks.h"
#include "process_census.h"
#include "random.h"
#include "settings_key.h"
#include "table_saver.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Options {
    int Frames = 200;
    int SoakTicks = 0;          // 0: the timed passes
    int Warmup = 0;             // 0: a tenth of the soak's ticks
    int64_t ToleranceKb = 1024;  // growth of private bytes a soak allows
    std::string Leak;           // "memory" or "gdi": the soak's own check of its verdict
    int ListTexts = 0;
    int ListLength = 259;
    std::vector<std::pair<std::string, DWORD>> Values;
    std::string Label;
};

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--frames") == 0 && more) {
            o.Frames = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        if (std::strcmp(argv[i], "--soak") == 0 && more) {
            o.SoakTicks = std::max(10, std::atoi(argv[++i]));
            continue;
        }
        if (std::strcmp(argv[i], "--warmup") == 0 && more) {
            o.Warmup = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        if (std::strcmp(argv[i], "--leak") == 0 && more) {
            o.Leak = argv[++i];
            continue;
        }
        if (std::strcmp(argv[i], "--tolerance-kb") == 0 && more) {
            o.ToleranceKb = std::max(0, std::atoi(argv[++i]));
            continue;
        }
        if (std::strcmp(argv[i], "--list") == 0 && more) {
            // N texts, or NxL: N texts of L bytes each.
            char* end = nullptr;
            o.ListTexts = std::max(0, static_cast<int>(std::strtol(argv[++i], &end, 10)));
            if (*end == 'x') o.ListLength = std::min(259, std::max(1, std::atoi(end + 1)));
            if (!o.Label.empty()) o.Label += ' ';
            o.Label += "List=" + std::to_string(o.ListTexts) + "x" + std::to_string(o.ListLength);
            continue;
        }
        const char* eq = std::strchr(argv[i], '=');
        if (!eq) return false;
        const std::string name(argv[i], static_cast<size_t>(eq - argv[i]));
        const int32_t setting = SettingIndex(ProgramWindows.Table, name.c_str());
        const bool max = std::strcmp(eq + 1, "max") == 0 && setting >= 0;
        o.Values.emplace_back(name, static_cast<DWORD>(max ? ProgramWindows.Table.Settings[setting].Max
                                                           : std::strtol(eq + 1, nullptr, 10)));
        if (!o.Label.empty()) o.Label += ' ';
        o.Label += argv[i];
    }
    if (o.Label.empty()) o.Label = "defaults";
    return true;
}

std::string KeyPath() { return std::string("Software\\Zamvel\\") + ProgramSaver.Name; }

const char* const ListWords[] = {"Tempus", "fugit", "amor", "vincit", "omnia", "alea", "iacta", "est"};

// Text number k of a stored list: length bytes of words, each text its own.
std::string ListText(int k, int length)
{
    std::string text = std::to_string(k) + ":";
    for (int w = k; text.size() < static_cast<size_t>(length); ++w) text += std::string(" ") + ListWords[w % 8];
    text.resize(static_cast<size_t>(length));
    return text;
}

void WriteValues(const Options& o)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, KeyPath().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, KeyPath().c_str());
    if (o.Values.empty() && o.ListTexts == 0) return;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& v : o.Values)
        RegSetValueExA(key, v.first.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.second), 4);
    HKEY list = nullptr;
    if (o.ListTexts > 0 && RegCreateKeyExA(key, "List", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &list, nullptr) ==
                               ERROR_SUCCESS) {
        for (int k = 1; k <= o.ListTexts; ++k) {
            const std::string text = ListText(k, o.ListLength);
            RegSetValueExA(list, std::to_string(k).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                           static_cast<DWORD>(text.size()));
        }
        RegCloseKey(list);
    }
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

// One saver instance run as the shell runs it: fresh settings, the hooks in
// the shell's order, a window and a screen-sized memory DC beside it.
class HarnessRun {
public:
    HarnessRun() = default;
    HarnessRun(const HarnessRun&) = delete;
    HarnessRun& operator=(const HarnessRun&) = delete;
    ~HarnessRun() { End(); }

    bool Start(bool visible)
    {
        const SaverHooks& saver = ProgramSaver;
        SettingsKey& s = saver.Settings();
        SeedRandom(1);
        s.LoadFromRegistry();
        s.ParentWindow = nullptr;
        SaverView view;
        view.WindowWidth = view.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
        view.WindowHeight = view.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
        run_.reset(saver.NewInstance(view));
        if (!run_) return false;
        if (!saver.Prepare(*run_)) return false;
        window_ = CreateTimingWindow(visible);
        if (!window_) return false;
        saver.OnCreate(*run_, window_);
        Pump();

        HDC screen = GetDC(window_);
        memory_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, view.WindowWidth, view.WindowHeight);
        saved_ = SelectObject(memory_, bitmap_);
        PatBlt(memory_, 0, 0, view.WindowWidth, view.WindowHeight, BLACKNESS);
        ReleaseDC(window_, screen);
        return true;
    }

    HWND Window() const { return window_; }
    HDC Memory() const { return memory_; }

    void Frame(HDC dc)
    {
        ProgramSaver.DrawFrame(*run_, window_, dc);
        GdiFlush();
    }

    void End()
    {
        const SaverHooks& saver = ProgramSaver;
        if (window_) {
            saver.QueryClose(*run_, window_);
            DestroyWindow(window_);
            Pump();
        }
        run_.reset();
        if (memory_) {
            SelectObject(memory_, saved_);
            DeleteObject(bitmap_);
            DeleteDC(memory_);
        }
        if (window_) UnregisterClassA("ZamvelFrameTiming", GetModuleHandleA(nullptr));
        window_ = nullptr;
        memory_ = nullptr;
        bitmap_ = nullptr;
    }

private:
    std::unique_ptr<SaverInstance> run_;
    HWND window_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ saved_ = nullptr;
};

// One pass: N timed frames on the surface.
bool TimePass(const Options& o, Surface surface, std::vector<double>& costs)
{
    const bool onWindow = surface == Surface::Window;
    HarnessRun run;
    if (!run.Start(onWindow)) return false;
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    costs.clear();
    for (int i = 0; i < o.Frames; ++i) {
        HDC dc = onWindow ? GetDC(run.Window()) : surface == Surface::MemoryDc ? run.Memory() : RefusingDc();
        QueryPerformanceCounter(&t0);
        run.Frame(dc);
        QueryPerformanceCounter(&t1);
        if (onWindow) ReleaseDC(run.Window(), dc);
        costs.push_back(static_cast<double>(t1.QuadPart - t0.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart));
        Pump();
    }
    return true;
}

int TimedPasses(const Options& o)
{
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
    return failures;
}

struct Sample {
    int Tick;
    uint64_t Bytes;
    uint32_t Objects;
};

Sample Take(int tick) { return {tick, PrivateBytes(), LiveGdiObjects()}; }

// The soak: one instance, TICKS frames on the memory DC, the process sampled
// between frames after the warm-up and at ten points after it.
int Soak(const Options& o)
{
    const char* name = ProgramSaver.Name;
    if (!GdiCountWorks()) {
        std::printf("soak %s | %s | FAIL: live GDI objects cannot be counted here\n", name, o.Label.c_str());
        return 1;
    }
    HarnessRun run;
    if (!run.Start(false)) {
        std::printf("soak %s | %s | FAIL: failed to start\n", name, o.Label.c_str());
        return 1;
    }
    const int warmup = std::min(o.SoakTicks - 1, o.Warmup ? o.Warmup : std::max(1, o.SoakTicks / 10));
    const int step = std::max(1, (o.SoakTicks - warmup) / 10);
    std::vector<Sample> samples;
    std::vector<void*> leaked;
    for (int tick = 1; tick <= o.SoakTicks; ++tick) {
        run.Frame(run.Memory());
        Pump();
        if (o.Leak == "memory") leaked.push_back(std::memset(std::malloc(256), 1, 256));
        if (o.Leak == "gdi" && tick % 100 == 0) leaked.push_back(CreateSolidBrush(RGB(1, 2, 3)));
        if (tick == warmup || (tick > warmup && ((tick - warmup) % step == 0 || tick == o.SoakTicks)))
            samples.push_back(Take(tick));
    }
    run.End();
    for (void* p : leaked) o.Leak == "gdi" ? static_cast<void>(DeleteObject(p)) : std::free(p);

    // Objects: none more than after the warm-up, ever (between ticks a saver
    // holds a fixed set). Bytes: the growth from the warm-up to the end.
    const Sample& first = samples.front();
    const Sample& last = samples.back();
    uint32_t most = 0;
    std::string trail;
    for (const Sample& s : samples) {
        most = std::max(most, s.Objects);
        trail += " " + std::to_string(s.Tick) + ":" + std::to_string(s.Bytes / 1024) + "K/" +
                 std::to_string(s.Objects);
    }
    const int64_t growthKb = (static_cast<int64_t>(last.Bytes) - static_cast<int64_t>(first.Bytes)) / 1024;
    const bool objectsFlat = most <= first.Objects;
    const bool bytesFlat = growthKb <= o.ToleranceKb;
    std::printf("soak %s | %s | ticks %d | private bytes %llu -> %llu (%+lld KB, tolerance %lld KB) | "
                "GDI objects %u -> %u (most %u) | %s\n",
                name, o.Label.c_str(), o.SoakTicks, static_cast<unsigned long long>(first.Bytes),
                static_cast<unsigned long long>(last.Bytes), static_cast<long long>(growthKb),
                static_cast<long long>(o.ToleranceKb), first.Objects, last.Objects, most,
                objectsFlat && bytesFlat ? "flat" : !objectsFlat ? "FAIL: GDI objects grew" : "FAIL: memory grew");
    std::printf("soak-trail %s | %s |%s\n", name, o.Label.c_str(), trail.c_str());
    return objectsFlat && bytesFlat ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: %s [--frames N | --soak TICKS [--warmup N] [--tolerance-kb K] [--leak memory|gdi]]\n"
                     "       [--list N[xL]] [Value=Number ...]\n",
                     argv[0]);
        return 2;
    }
    WriteValues(o);
    const int failures = o.SoakTicks ? Soak(o) : TimedPasses(o);
    WriteValues(Options{});
    return failures ? 1 : 0;
}
