#include "glyra2_saver.h"

#include <cmath>
#include <new>

#include "default_texts.h"
#include "random.h"
#include "settings_dialog.h"

namespace {

TextSettings Settings("Software\\Zamvel\\Glyra2", 48);

Glyra2Instance& Run(SaverInstance& instance) { return static_cast<Glyra2Instance&>(instance); }

SettingsKey& ProgramSettings() { return Settings; }

SaverInstance* NewInstance(const SaverView& view) { return new (std::nothrow) Glyra2Instance(view); }

bool Prepare(SaverInstance& instance)
{
    Glyra2Instance& r = Run(instance);
    const TextSettings& s = Settings;
    r.FontSize = ClampFontSize(s.FontSize);
    FillSpace(r.Space, r.View.ScreenWidth / 2, r.View.ScreenHeight / 2);
    // The stored strings take their flights from the generator as it stands:
    // unseeded in the first window, so they start alike on every run. The
    // built-in ones come after the seed.
    r.List.AppendCopies(s.List, s.Speed, FlightHooks);
    if (r.View.Index == 0) SeedRandom(GetTickCount());
    // One pass always fills an empty list; only memory running out leaves
    // it empty, and then the saver ends instead of showing nothing.
    if (r.List.EntryCount == 0)
        for (const char* text : Glyra2DefaultTexts) AddTextTo(r.List, text, DefaultTextCodePage, s.Speed, FlightHooks);
    return r.List.EntryCount != 0;
}

void OnCreate(SaverInstance& instance, HWND window)
{
    Glyra2Instance& r = Run(instance);
    CreateFonts(r, true);
    HDC dc = GetDC(window);
    PlaceEntries(r, dc);
    ReleaseDC(window, dc);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    Glyra2Instance& r = Run(instance);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (TextEntry* e = r.List.Head; e; e = e->Next) TickEntry(r, dc, *e);
    SelectObject(dc, previous);
}

bool QueryClose(SaverInstance& instance, HWND)
{
    DeleteFontTable(Run(instance).Fonts);
    return true;
}

void Release(SaverInstance& instance)
{
    Glyra2Instance& r = Run(instance);
    r.List.Release(FlightHooks);
    // Nothing is left when the window closed normally.
    DeleteFontTable(r.Fonts);
}

} // namespace

Glyra2Instance::~Glyra2Instance()
{
    List.Release(FlightHooks);
    DeleteFontTable(Fonts);
}

const SaverHooks ProgramSaver = {
    "Glyra2",
    false,  // the preview ignores keys and clicks
    ProgramSettings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};

TextSettings& Glyra2() { return Settings; }

// The shared settings dialog edits this object and offers Glyra2's speeds.
TextSettings& TextSaverSettings() { return Settings; }

const char* const* TextSaverSpeedLabels() { return Glyra2SpeedLabels; }

bool CreateFonts(Glyra2Instance& run, bool keepAlive)
{
    const TextSettings& s = Settings;
    return CreateFontTable(run.Fonts, FontRequest{run.FontSize, s.FontBold, s.FontItalic, s.FontName, keepAlive});
}

void PlaceEntries(Glyra2Instance& run, HDC dc)
{
    HFONT largest = FontAt(run.Fonts, run.Fonts.Count - 1);
    HGDIOBJ previous = largest ? SelectObject(dc, largest) : nullptr;
    for (TextEntry* e = run.List.Head; e; e = e->Next) {
        if (!e->State) continue;
        FlightPath& path = PathOf(*e);
        StartEntry(path, run.FontSize, run.Space);
        for (int32_t i = 0; i < e->Length; ++i) {
            SIZE size{};
            GetTextExtentPoint32W(dc, &e->Text[i], 1, &size);
            const int32_t extent = TruncToInt(std::sqrt(static_cast<double>(size.cx) * size.cx +
                                                        static_cast<double>(size.cy) * size.cy));
            if (extent > path.MaxExtent) path.MaxExtent = extent;
        }
    }
    if (previous) SelectObject(dc, previous);
}

void DrawChain(Glyra2Instance& run, HDC dc, TextEntry& entry, int32_t slot, bool inBlack)
{
    FlightPath& path = PathOf(entry);
    if (inBlack) SetTextColor(dc, RGB(0, 0, 0));
    for (int32_t i = 0; i < entry.Length; ++i) {
        if (!inBlack) SetTextColor(dc, DimmedColour(path.Red, path.Green, path.Blue, path.PathZ[slot]));
        // A font that could not be made selects nothing: the character is
        // drawn in the font already selected.
        HFONT font = FontAt(run.Fonts, ClampedFontIndex(path, slot, run.FontSize));
        if (font) SelectObject(dc, font);
        TextOutW(dc, path.ScreenX[slot], path.ScreenY[slot], &entry.Text[i], 1);
        slot = SlotBehind(path, slot);
    }
}

void TickEntry(Glyra2Instance& run, HDC dc, TextEntry& entry)
{
    if (!entry.State) return;
    FlightPath& path = PathOf(entry);
    const int32_t step = MoveLeader(path, run.Space);
    // Last tick's glyphs go first, drawn again in black where they were.
    DrawChain(run, dc, entry, path.PrevSlot, true);
    ProjectSlot(path, step, run.FontSize, run.Space);
    DrawChain(run, dc, entry, path.HeadSlot, false);
    AdvanceRing(path);
}
