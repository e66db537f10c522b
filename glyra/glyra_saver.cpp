#include "glyra_saver.h"

#include "default_texts.h"
#include "glyra_defaults.h"
#include "random.h"
#include "saver_hooks.h"
#include "settings_dialog.h"

const SaverProgram ThisProgram = {"Glyra", false};

namespace {

const TextSaverProfile GlyraProfile = {32, {BuildEntryState, FreeEntryState}};

GlyraSettings Settings;

bool AddBuiltIn(int index, void* context)
{
    return static_cast<GlyraSettings*>(context)->AddTextInCodePage(GlyraDefaultTexts[index].Bytes,
                                                                   DefaultTextCodePage);
}

int32_t MeasureCharacter(const TextChar* character, void* context)
{
    SIZE size{};
    if (!GetTextExtentPoint32W(static_cast<HDC>(context), character, 1, &size)) return 0;
    return size.cx;
}

void DeleteTextFont(GlyraSettings& s)
{
    if (s.TextFont) DeleteObject(s.TextFont);
    s.TextFont = nullptr;
}

} // namespace

GlyraSettings::GlyraSettings() : TextSettings("Software\\Zamvel\\Glyra", GlyraProfile), MakeFont(CreateSaverFont)
{
    // The wrap's bounds are taken once, before the settings load.
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
}

GlyraSettings& Glyra() { return Settings; }

SettingsKey& ProgramSettings() { return Settings; }

TextSettings& TextSaverSettings() { return Settings; }

const char* const* TextSaverSpeedLabels() { return GlyraSpeedLabels; }

bool Prepare()
{
    GlyraSettings& s = Settings;
    // Stored strings and built-in ones alike get their colours and paths
    // after this, so every run differs.
    SeedRandom(GetTickCount());
    // Only memory running out keeps the list empty; then the saver ends
    // instead of showing nothing.
    if (s.List.EntryCount == 0 && !AddDefaultTexts(AddBuiltIn, &s)) return false;
    s.FontSize = ClampFontSize(s.FontSize);
    DeleteTextFont(s);
    s.TextFont = s.MakeFont(s.FontSize, s.FontBold, s.FontItalic, s.FontName);
    // Shown before the window exists; the animation runs in the DC's font.
    if (!s.TextFont) MessageBoxA(nullptr, "failed to creating font.", nullptr, MB_ICONERROR);
    return true;
}

void PlaceEntries(HDC dc)
{
    GlyraSettings& s = Settings;
    HGDIOBJ previous = s.TextFont ? SelectObject(dc, s.TextFont) : nullptr;
    // Half the window in full-screen units: the screen's centre in Run, near
    // the top-left corner of the scaled screen in Preview.
    const int32_t x = s.WindowWidth / 2;
    const int32_t y = s.WindowHeight / 2;
    double widest = 0;  // carried from each entry to the next
    for (TextEntry* e = s.List.Head; e; e = e->Next)
        if (e->State) StartEntry(*e, x, y, widest, MeasureCharacter, dc);
    if (previous) SelectObject(dc, previous);
}

void OnCreate(HWND window)
{
    HDC dc = GetDC(window);
    PlaceEntries(dc);
    ReleaseDC(window, dc);
    ShowWindow(window, SW_SHOW);
}

void DrawCharacters(HDC dc, const TextEntry& entry, COLORREF colour)
{
    const EntryState& s = *entry.State;
    SetTextColor(dc, colour);
    for (int32_t i = 0; i < entry.Length; ++i) TextOutW(dc, s.CharX[i], s.CharY[i], &entry.Text[i], 1);
}

void TickEntry(HDC dc, TextEntry& entry)
{
    if (!entry.State) return;
    GlyraSettings& s = Settings;
    AdvanceLeader(*entry.State, s.ScreenWidth, s.ScreenHeight);
    // Last tick's glyphs go first, drawn again in black where they were.
    DrawCharacters(dc, entry, RGB(0, 0, 0));
    MoveCharacters(entry);
    DrawCharacters(dc, entry, entry.State->TextColour);
}

void DrawFrame(HWND, HDC dc)
{
    GlyraSettings& s = Settings;
    HGDIOBJ previous = s.TextFont ? SelectObject(dc, s.TextFont) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    for (TextEntry* e = s.List.Head; e; e = e->Next) TickEntry(dc, *e);
    if (previous) SelectObject(dc, previous);
}

bool QueryClose(HWND) { return true; }

void Release()
{
    // The font goes first, then the list.
    DeleteTextFont(Settings);
    Settings.ReleaseList();
}
