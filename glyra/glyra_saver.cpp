#include "glyra_saver.h"

#include <new>

#include "default_texts.h"
#include "glyra_defaults.h"
#include "random.h"
#include "settings_dialog.h"

namespace {

GlyraSettings Settings;

GlyraInstance& Run(SaverInstance& instance) { return static_cast<GlyraInstance&>(instance); }

struct BuiltInTarget {
    TextList& List;
    int32_t Speed;
};

bool AddBuiltIn(int index, void* context)
{
    BuiltInTarget& t = *static_cast<BuiltInTarget*>(context);
    return AddTextTo(t.List, GlyraDefaultTexts[index].Bytes, DefaultTextCodePage, t.Speed, TrailHooks);
}

int32_t MeasureCharacter(const TextChar* character, void* context)
{
    SIZE size{};
    if (!GetTextExtentPoint32W(static_cast<HDC>(context), character, 1, &size)) return 0;
    return size.cx;
}

void DeleteTextFont(GlyraInstance& r)
{
    if (r.TextFont) DeleteObject(r.TextFont);
    r.TextFont = nullptr;
}

SettingsKey& ProgramSettings() { return Settings; }

SaverInstance* NewInstance(const SaverView& view) { return new (std::nothrow) GlyraInstance(view); }

bool Prepare(SaverInstance& instance)
{
    GlyraInstance& r = Run(instance);
    const GlyraSettings& s = Settings;
    r.List.AppendCopies(s.List, s.Speed, TrailHooks);
    // Stored strings and built-in ones alike get their colours and paths
    // after this, so every run differs; a second window goes on from the
    // first one's numbers.
    if (r.View.Index == 0) SeedRandom(GetTickCount());
    // Only memory running out keeps the list empty; then the saver ends
    // instead of showing nothing.
    BuiltInTarget target{r.List, s.Speed};
    if (r.List.EntryCount == 0 && !AddDefaultTexts(AddBuiltIn, &target)) return false;
    r.FontSize = ClampFontSize(s.FontSize);
    DeleteTextFont(r);
    r.TextFont = s.MakeFont(r.FontSize, s.FontBold, s.FontItalic, s.FontName);
    // Shown before the window exists (by the first window only: the others
    // would fail alike); the animation runs in the DC's font.
    if (!r.TextFont && r.View.Index == 0) MessageBoxA(nullptr, "failed to creating font.", nullptr, MB_ICONERROR);
    return true;
}

void OnCreate(SaverInstance& instance, HWND window)
{
    GlyraInstance& r = Run(instance);
    HDC dc = GetDC(window);
    PlaceEntries(r, dc);
    ReleaseDC(window, dc);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    GlyraInstance& r = Run(instance);
    HGDIOBJ previous = r.TextFont ? SelectObject(dc, r.TextFont) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    for (TextEntry* e = r.List.Head; e; e = e->Next) TickEntry(r, dc, *e);
    if (previous) SelectObject(dc, previous);
}

bool QueryClose(SaverInstance&, HWND) { return true; }

void Release(SaverInstance& instance)
{
    GlyraInstance& r = Run(instance);
    // The font goes first, then the list.
    DeleteTextFont(r);
    r.List.Release(TrailHooks);
}

} // namespace

GlyraSettings::GlyraSettings() : TextSettings("Software\\Zamvel\\Glyra", 32), MakeFont(CreateSaverFont) {}

GlyraInstance::~GlyraInstance()
{
    DeleteTextFont(*this);
    List.Release(TrailHooks);
}

const SaverHooks ProgramSaver = {
    "Glyra",
    false,  // the preview ignores keys and clicks
    ProgramSettings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose, Release,
};

GlyraSettings& Glyra() { return Settings; }

TextSettings& TextSaverSettings() { return Settings; }

const char* const* TextSaverSpeedLabels() { return GlyraSpeedLabels; }

void PlaceEntries(GlyraInstance& run, HDC dc)
{
    HGDIOBJ previous = run.TextFont ? SelectObject(dc, run.TextFont) : nullptr;
    // Half the window in full-screen units: the screen's centre in Run, near
    // the top-left corner of the scaled screen in Preview.
    const int32_t x = run.View.WindowWidth / 2;
    const int32_t y = run.View.WindowHeight / 2;
    double widest = 0;  // carried from each entry to the next
    for (TextEntry* e = run.List.Head; e; e = e->Next)
        if (e->State) StartEntry(*e, x, y, widest, MeasureCharacter, dc);
    if (previous) SelectObject(dc, previous);
}

void DrawCharacters(HDC dc, const TextEntry& entry, COLORREF colour)
{
    const CrawlTrail& s = TrailOf(entry);
    SetTextColor(dc, colour);
    for (int32_t i = 0; i < entry.Length; ++i) TextOutW(dc, s.CharX[i], s.CharY[i], &entry.Text[i], 1);
}

void TickEntry(GlyraInstance& run, HDC dc, TextEntry& entry)
{
    if (!entry.State) return;
    AdvanceLeader(TrailOf(entry), run.View.ScreenWidth, run.View.ScreenHeight);
    // Last tick's glyphs go first, drawn again in black where they were.
    DrawCharacters(dc, entry, RGB(0, 0, 0));
    MoveCharacters(entry);
    DrawCharacters(dc, entry, TrailOf(entry).TextColour);
}
