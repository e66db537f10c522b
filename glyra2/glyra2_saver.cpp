#include "glyra2_saver.h"

#include <cmath>

#include "default_texts.h"
#include "random.h"
#include "saver_hooks.h"
#include "settings_dialog.h"

const SaverProgram ThisProgram = {"Glyra2", false};

namespace {

const TextSaverProfile Glyra2Profile = {48, {BuildEntryState, FreeEntryState}};

Glyra2Settings Settings;

} // namespace

Glyra2Settings::Glyra2Settings() : TextSettings("Software\\Zamvel\\Glyra2", Glyra2Profile)
{
    // The screen centre is taken once, before the settings load.
    Space.HalfScreenWidth = GetSystemMetrics(SM_CXSCREEN) / 2;
    Space.HalfScreenHeight = GetSystemMetrics(SM_CYSCREEN) / 2;
}

Glyra2Settings& Glyra2() { return Settings; }

SettingsKey& ProgramSettings() { return Settings; }

// The shared settings dialog edits this object and offers Glyra2's speeds.
TextSettings& TextSaverSettings() { return Settings; }

const char* const* TextSaverSpeedLabels() { return Glyra2SpeedLabels; }

bool Prepare()
{
    Glyra2Settings& s = Settings;
    s.FontSize = ClampFontSize(s.FontSize);
    FillSpace(s.Space, s.Space.HalfScreenWidth, s.Space.HalfScreenHeight);
    // The stored strings were built before this, from the unseeded
    // generator: they start alike on every run, the built-in ones do not.
    SeedRandom(GetTickCount());
    // One pass always fills an empty list; only memory running out leaves
    // it empty, and then the saver ends instead of showing nothing.
    if (s.List.EntryCount == 0)
        for (const char* text : Glyra2DefaultTexts) s.AddTextInCodePage(text, DefaultTextCodePage);
    return s.List.EntryCount != 0;
}

bool CreateFonts(bool keepAlive)
{
    Glyra2Settings& s = Settings;
    return CreateFontTable(s.Fonts, FontRequest{s.FontSize, s.FontBold, s.FontItalic, s.FontName, keepAlive});
}

void PlaceEntries(HDC dc)
{
    Glyra2Settings& s = Settings;
    HFONT largest = FontAt(s.Fonts, s.Fonts.Count - 1);
    HGDIOBJ previous = largest ? SelectObject(dc, largest) : nullptr;
    for (TextEntry* e = s.List.Head; e; e = e->Next) {
        if (!e->State) continue;
        EntryState& st = *e->State;
        StartEntry(st, s.FontSize, s.Space);
        for (int32_t i = 0; i < e->Length; ++i) {
            SIZE size{};
            GetTextExtentPoint32W(dc, &e->Text[i], 1, &size);
            const int32_t extent = TruncToInt(std::sqrt(static_cast<double>(size.cx) * size.cx +
                                                        static_cast<double>(size.cy) * size.cy));
            if (extent > st.MaxExtent) st.MaxExtent = extent;
        }
    }
    if (previous) SelectObject(dc, previous);
}

void OnCreate(HWND window)
{
    CreateFonts(true);
    HDC dc = GetDC(window);
    PlaceEntries(dc);
    ReleaseDC(window, dc);
    ShowWindow(window, SW_SHOW);
}

void DrawChain(HDC dc, TextEntry& entry, int32_t slot, bool inBlack)
{
    Glyra2Settings& s = Settings;
    EntryState& st = *entry.State;
    if (inBlack) SetTextColor(dc, RGB(0, 0, 0));
    for (int32_t i = 0; i < entry.Length; ++i) {
        if (!inBlack) SetTextColor(dc, DimmedColour(st.Red, st.Green, st.Blue, st.PathZ[slot]));
        // A font that could not be made selects nothing: the character is
        // drawn in the font already selected.
        HFONT font = FontAt(s.Fonts, ClampedFontIndex(st, slot, s.FontSize));
        if (font) SelectObject(dc, font);
        TextOutW(dc, st.ScreenX[slot], st.ScreenY[slot], &entry.Text[i], 1);
        slot = SlotBehind(st, slot);
    }
}

void TickEntry(HDC dc, TextEntry& entry)
{
    if (!entry.State) return;
    Glyra2Settings& s = Settings;
    EntryState& st = *entry.State;
    const int32_t step = MoveLeader(st, s.Space);
    // Last tick's glyphs go first, drawn again in black where they were.
    DrawChain(dc, entry, st.PrevSlot, true);
    ProjectSlot(st, step, s.FontSize, s.Space);
    DrawChain(dc, entry, st.HeadSlot, false);
    AdvanceRing(st);
}

void DrawFrame(HWND, HDC dc)
{
    HGDIOBJ previous = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (TextEntry* e = Settings.List.Head; e; e = e->Next) TickEntry(dc, *e);
    SelectObject(dc, previous);
}

bool QueryClose(HWND)
{
    DeleteFontTable(Settings.Fonts);
    return true;
}

void Release()
{
    Settings.ReleaseList();
    // Nothing is left when the window closed normally.
    DeleteFontTable(Settings.Fonts);
}
