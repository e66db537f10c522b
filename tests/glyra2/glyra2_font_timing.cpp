// Prints what one Glyra2 tick costs under wine at the defaults (six
// built-in strings, FontSize 48) on a screen-sized memory DC, with the
// FontTable's fonts kept alive in DCs of their own and without, and what
// making the table costs. Numbers only: nothing here is judged.
//
//   glyra2_font_timing.exe [frames]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "default_texts.h"
#include "glyra2_saver.h"
#include "random.h"
#include "saver_instance_run.h"

namespace {

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(f.QuadPart);
}

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

using Glyra2Run = InstanceRun<Glyra2Instance>;

// A window over the whole screen.
SaverView ScreenView() { return RunView(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)); }

// The defaults, flown alike in every pass: Prepare's own seed is replaced.
void PrepareDefaults(Glyra2Run& run)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zamvel\\Glyra2");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Zamvel\\Glyra2");
    Glyra2().LoadFromRegistry();
    run.Prepare();
    run->List.Release(FlightHooks);
    SeedRandom(7);
    for (const char* text : Glyra2DefaultTexts)
        AddTextTo(run->List, text, DefaultTextCodePage, Glyra2().Speed, FlightHooks);
}

void TimeTicks(bool keepAlive, int frames)
{
    Glyra2Run run(ScreenView());
    PrepareDefaults(run);
    const int cx = run->View.ScreenWidth, cy = run->View.ScreenHeight;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    ReleaseDC(nullptr, screen);
    HGDIOBJ saved = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, cx, cy, BLACKNESS);

    CreateFonts(*run, keepAlive);
    PlaceEntries(*run, dc);
    SeedRandom(11);
    std::vector<double> costs;
    for (int i = 0; i < frames; ++i) {
        const double t0 = Now();
        run.DrawFrame(dc);
        GdiFlush();
        costs.push_back(Now() - t0);
    }
    run.QueryClose();
    std::printf("tick at the defaults, fonts %s: median %.0f us, p95 %.0f us (%d frames)\n",
                keepAlive ? "kept alive in DCs of their own" : "held by nothing between uses",
                Percentile(costs, 0.5), Percentile(costs, 0.95), frames);
    SelectObject(dc, saved);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void TimeTable(int32_t size)
{
    Glyra2Run run(ScreenView());
    run->FontSize = size;
    const double t0 = Now();
    CreateFonts(*run, true);
    const double t1 = Now();
    DeleteFontTable(run->Fonts);
    const double t2 = Now();
    std::printf("FontTable of %d heights: made in %.1f ms, deleted in %.1f ms\n", size, (t1 - t0) / 1000,
                (t2 - t1) / 1000);
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    for (int pass = 0; pass < 2; ++pass) {
        TimeTicks(false, frames);
        TimeTicks(true, frames);
    }
    for (int32_t size : {48, 200, MaxFontSize}) TimeTable(size);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zamvel\\Glyra2");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Zamvel\\Glyra2");
    return 0;
}
