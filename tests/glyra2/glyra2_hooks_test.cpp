// Glyra2's hooks under wine, on the program's one settings object and its
// real registry key.
#include "glyra2_saver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "default_texts.h"
#include "entry_texts.h"
#include "glyra2_test_support.h"
#include "random.h"
#include "resource.h"
#include "resource_checks.h"
#include "saver_hooks.h"
#include "settings_dialog.h"
#include "settings_dialog_ids.h"
#include "win_test_support.h"

namespace {

struct Start {
    int32_t Azimuth, Inclination, Red, Green, Blue;
    bool operator==(const Start& o) const
    {
        return Azimuth == o.Azimuth && Inclination == o.Inclination && Red == o.Red && Green == o.Green &&
               Blue == o.Blue;
    }
};

std::vector<Start> Starts()
{
    std::vector<Start> out;
    for (const TextEntry* e = Glyra2().List.Head; e; e = e->Next) {
        const EntryState& s = *e->State;
        out.push_back({s.Azimuth, s.Inclination, s.Red, s.Green, s.Blue});
    }
    return out;
}

// The starts that count entries built right after seeding with seed get.
std::vector<Start> StartsFromSeed(uint32_t seed, size_t count)
{
    SeedRandom(seed);
    std::vector<Start> out;
    for (size_t i = 0; i < count; ++i) {
        TextChar text[] = L"x";
        TextEntry e;
        e.Text = text;
        e.Length = 1;
        if (!BuildEntryState(e, 3, std::malloc)) break;
        out.push_back({e.State->Azimuth, e.State->Inclination, e.State->Red, e.State->Green, e.State->Blue});
        FreeEntryState(e);
    }
    return out;
}

class Glyra2Hooks : public Glyra2Test {};

TEST_F(Glyra2Hooks, ProgramAndDefaults)
{
    EXPECT_STREQ(ThisProgram.Name, "Glyra2");
    EXPECT_FALSE(ThisProgram.PreviewEndsOnInput);
    EXPECT_EQ(&ProgramSettings(), static_cast<SettingsKey*>(&Glyra2()));
    EXPECT_EQ(Glyra2().Space.HalfScreenWidth, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(Glyra2().Space.HalfScreenHeight, GetSystemMetrics(SM_CYSCREEN) / 2);

    Glyra2().LoadFromRegistry();
    EXPECT_EQ(Glyra2().FontSize, 48);
    EXPECT_EQ(Glyra2().Speed, 3);
    EXPECT_EQ(Glyra2().List.EntryCount, 0);
    EXPECT_EQ(Glyra2().EraseBackground, 1);
    EXPECT_EQ(Glyra2().TimerInterval, 50u);
}

// With nothing stored, Prepare adds the six built-in strings in order,
// decoded from code page 932, right after seeding from the tick count.
TEST_F(Glyra2Hooks, PrepareAddsTheBuiltInStringsAfterSeeding)
{
    SeedRandom(1);
    Glyra2().LoadFromRegistry();
    const DWORD before = GetTickCount();
    ASSERT_TRUE(Prepare());
    const DWORD after = GetTickCount();
    EXPECT_EQ(Glyra2().List.EntryCount, 6);
    EXPECT_EQ(EntryTexts(Glyra2().List), (std::vector<std::wstring>{L"Tutte le strade portano a Roma.", L"The Eyes of Truth.",
                                                  L"少年老い易く、学成り難し", L"光陰矢の如し", L"汝自身を知れ",
                                                  L"士別れて三日なれば、即ちまさに刮目して相待つべし。"}));
    const std::vector<Start> got = Starts();
    bool seeded = false;
    for (DWORD t = before; t <= after && !seeded; ++t) seeded = StartsFromSeed(t, 6) == got;
    EXPECT_TRUE(seeded) << "not drawn from a tick-count seed";
    // The tables are filled.
    EXPECT_DOUBLE_EQ(Glyra2().Space.LimitX[0], ScaleUp(Glyra2().Space.HalfScreenWidth, 0) * 0.98);
    EXPECT_NEAR(Glyra2().Space.SinTable[270], 1.0, 1e-12);
}

// Stored strings are built while loading, before any seeding: the same
// directions and colours on every run.
TEST_F(Glyra2Hooks, StoredStringsStartAlikeOnEveryRun)
{
    ASSERT_TRUE(PutValue(Glyra2ListKey, "1", REG_SZ, "alpha"));
    ASSERT_TRUE(PutValue(Glyra2ListKey, "2", REG_SZ, "beta"));
    std::vector<Start> runs[2];
    for (auto& run : runs) {
        Release();
        SeedRandom(1);  // the generator's state when a program starts
        Glyra2().LoadFromRegistry();
        ASSERT_TRUE(Prepare());
        run = Starts();
    }
    EXPECT_EQ(runs[0], runs[1]);
    EXPECT_EQ(runs[0], StartsFromSeed(1, 2));
    EXPECT_EQ(EntryTexts(Glyra2().List), (std::vector<std::wstring>{L"alpha", L"beta"}));
    EXPECT_EQ(Glyra2().List.EntryCount, 2);
}

TEST_F(Glyra2Hooks, AListOfEmptyStringsShowsTheBuiltInOnes)
{
    ASSERT_TRUE(PutValue(Glyra2ListKey, "1", REG_SZ, ""));
    Glyra2().LoadFromRegistry();
    EXPECT_EQ(Glyra2().List.EntryCount, 0);
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(Glyra2().List.EntryCount, 6);
}

// FontSize is brought into 6..MaxFontSize before the fonts are made: the
// table holds one font per height.
TEST_F(Glyra2Hooks, FontSizeBoundsAndTheTable)
{
    const struct {
        DWORD Stored;
        int32_t Used;
    } cases[] = {{0, 6}, {5, 6}, {static_cast<DWORD>(-7), 6}, {6, 6}, {30, 30}, {65536, MaxFontSize}};
    for (const auto& c : cases) {
        Release();
        DeleteRegistryTree(Glyra2Key);
        ASSERT_TRUE(PutDword(Glyra2Key, "FontSize", c.Stored));
        Glyra2().LoadFromRegistry();
        ASSERT_TRUE(Prepare());
        EXPECT_EQ(Glyra2().FontSize, c.Used) << c.Stored;
        ASSERT_TRUE(CreateFonts(true));
        EXPECT_EQ(Glyra2().Fonts.Count, c.Used);
        QueryClose(nullptr);
    }
}

// Every font of the table: its height, the settings' weight and slant,
// unsmoothed, and held by a memory DC of its own until QueryClose deletes
// them all.
TEST_F(Glyra2Hooks, FontsLiveFromCreationToQueryClose)
{
    ASSERT_TRUE(PutDword(Glyra2Key, "FontSize", 20));
    ASSERT_TRUE(PutDword(Glyra2Key, "FontBold", 1));
    ASSERT_TRUE(PutDword(Glyra2Key, "FontItalic", 1));
    ASSERT_TRUE(PutValue(Glyra2Key, "FontName", REG_SZ, "Tahoma"));
    Glyra2().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    ASSERT_TRUE(CreateFonts(true));
    const FontTable& table = Glyra2().Fonts;
    ASSERT_EQ(table.Count, 20);
    std::vector<HFONT> fonts(table.Fonts, table.Fonts + table.Count);
    for (int32_t k = 0; k < table.Count; ++k) {
        SCOPED_TRACE(k);
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(fonts[static_cast<size_t>(k)], sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, k + 1);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_TRUE(lf.lfItalic);
        EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        ASSERT_NE(table.Holders[k], nullptr);
        EXPECT_EQ(GetCurrentObject(table.Holders[k], OBJ_FONT), fonts[static_cast<size_t>(k)]);
    }
    EXPECT_TRUE(QueryClose(nullptr));
    EXPECT_EQ(Glyra2().Fonts.Count, 0);
    for (HFONT f : fonts) EXPECT_EQ(GetObjectType(f), 0u);
}

// Memory running out for every built-in string leaves nothing to show: the
// saver ends instead of looping or showing a black screen.
TEST_F(Glyra2Hooks, PrepareFailsOnlyWhenNoEntryCanBeMade)
{
    Glyra2().LoadFromRegistry();
    Glyra2().List.Allocate = [](size_t) -> void* { return nullptr; };
    EXPECT_FALSE(Prepare());
    EXPECT_EQ(Glyra2().List.EntryCount, 0);
}

TEST_F(Glyra2Hooks, OnCreateMakesTheFontsPlacesTheEntriesAndShowsTheWindow)
{
    Glyra2().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    if (!window) GTEST_SKIP() << "no display";
    OnCreate(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(Glyra2().Fonts.Count, 48);
    for (const TextEntry* e = Glyra2().List.Head; e; e = e->Next) {
        EXPECT_GT(e->State->MaxExtent, 0);
        EXPECT_EQ(e->State->HeadSlot, 0);
        EXPECT_EQ(e->State->ScreenX[e->State->LastSlot], Glyra2().Space.HalfScreenWidth);
    }
    EXPECT_TRUE(QueryClose(window));
    DestroyWindow(window);
}

TEST_F(Glyra2Hooks, ResourcesIconAndVersion)
{
    // One 32 x 32 picture of 16 colours.
    IconGroup group;
    ASSERT_TRUE(ReadIconGroup(IDI_GLYRA2, group));
    EXPECT_EQ(group.Count, 1);
    EXPECT_EQ(group.Width, 32);
    EXPECT_EQ(group.Height, 32);
    const BITMAPINFOHEADER* header = IconImageHeader(group.FirstImage);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biBitCount, 4);
    EXPECT_NE(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_GLYRA2), IMAGE_ICON, 32, 32, 0), nullptr);
    EXPECT_NE(FindJapaneseResource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, 102), nullptr);

    const VersionRecord version;
    ASSERT_TRUE(version.Loaded());
    ExpectVersion1001InJapanese(version);
    const VersionText strings[] = {
        {L"CompanyName", L"Zamvel"},
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"ProductVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Glyra2"},
        {L"OriginalFilename", L"Glyra2.scr"},
        {L"ProductName", L"Glyra2"},
    };
    ExpectVersionTexts(version, strings);
    EXPECT_EQ(version.String(L"FileDescription").find(L"Glyra2"), 0u);
}

// Under the Japanese code page the default face finds glyphs for every
// character of the built-in strings, at every height the table holds.
TEST_F(Glyra2Hooks, JapaneseBuiltInStringsHaveGlyphsInTheDefaultFace)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    Glyra2().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    ASSERT_TRUE(CreateFonts(true));
    HDC dc = CreateCompatibleDC(nullptr);
    for (int32_t k : {5, 17, 47}) {
        HGDIOBJ old = SelectObject(dc, FontAt(Glyra2().Fonts, k));
        for (const TextEntry* e = Glyra2().List.Head; e; e = e->Next) {
            std::vector<WORD> glyphs(static_cast<size_t>(e->Length));
            ASSERT_EQ(GetGlyphIndicesW(dc, e->Text, e->Length, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
                      static_cast<DWORD>(e->Length));
            for (int32_t i = 0; i < e->Length; ++i)
                EXPECT_NE(glyphs[static_cast<size_t>(i)], 0xFFFF) << "height " << k + 1 << ", character " << i;
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
}

// The shared settings dialog, as Glyra2 fills it: its five speed labels,
// the loaded Speed selected.
TEST_F(Glyra2Hooks, JapaneseSpeedBoxHoldsGlyra2sLabels)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    ASSERT_TRUE(PutDword(Glyra2Key, "Speed", 4));
    Glyra2().LoadFromRegistry();
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEXT_SETTINGS), nullptr,
                                     SettingsDialogProc, 0);
    if (!dialog) GTEST_SKIP() << "no display";
    const wchar_t* expected[] = {L"高速", L"速い", L"ふつう", L"遅い", L"ゆっくり"};
    ASSERT_EQ(SendDlgItemMessageW(dialog, IDC_SPEED_BOX, CB_GETCOUNT, 0, 0), 5);
    for (int k = 0; k < 5; ++k) {
        wchar_t label[32] = L"";
        SendDlgItemMessageW(dialog, IDC_SPEED_BOX, CB_GETLBTEXT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(label));
        EXPECT_STREQ(label, expected[k]) << k;
    }
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_SPEED_BOX, CB_GETCURSEL, 0, 0), 3);
    DestroyWindow(dialog);
}

} // namespace
