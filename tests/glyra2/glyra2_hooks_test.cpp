// Glyra2 through the shell's hooks under wine, on instances of the saver,
// the program's one settings object and its real registry key.
#include "glyra2_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi_text.h"
#include "default_texts.h"
#include "entry_texts.h"
#include "gdi_canvas.h"
#include "glyra2_test_support.h"
#include "random.h"
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

std::vector<Start> Starts(const TextList& list)
{
    std::vector<Start> out;
    for (const TextEntry* e = list.Head.get(); e; e = e->Next.get()) {
        const FlightPath& s = PathOf(*e);
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
        TextEntry e;
        e.Length = 1;
        if (!BuildFlightPath(e, 3)) break;
        const FlightPath& s = PathOf(e);
        out.push_back({s.Azimuth, s.Inclination, s.Red, s.Green, s.Blue});
    }
    return out;
}

std::vector<std::wstring> BuiltIn()
{
    std::vector<std::wstring> out;
    for (const char16_t* text : Glyra2DefaultTexts) out.push_back(Wide(text));
    return out;
}

class Glyra2Hooks : public Glyra2Test {};

// With nothing stored, Prepare adds the six built-in strings in order,
// right after seeding from the tick count, and
// fills the space of its window's screen. A second window draws on from the
// generator as the first left it: only the first seeds.
TEST_F(Glyra2Hooks, PrepareAddsTheBuiltInStringsAfterSeeding)
{
    SeedRandom(1);
    ProgramSettings().LoadFromRegistry();
    Glyra2InstanceRun first(Glyra2View());
    const DWORD before = GetTickCount();
    ASSERT_TRUE(first.Prepare());
    const DWORD after = GetTickCount();
    EXPECT_EQ(EntryTexts(first->List), BuiltIn());
    const std::vector<Start> got = Starts(first->List);
    bool seeded = false;
    for (DWORD t = before; t <= after && !seeded; ++t) seeded = StartsFromSeed(t, 6) == got;
    EXPECT_TRUE(seeded) << "not drawn from a tick-count seed";
    EXPECT_DOUBLE_EQ(first->Space.LimitX[0], 501.76);
    EXPECT_NEAR(first->Space.SinTable[270], 1.0, 1e-12);

    SeedRandom(0x9E3779B9u);
    Glyra2InstanceRun second(RunView(1600, 900, 1));
    ASSERT_TRUE(second.Prepare());
    EXPECT_EQ(Starts(second->List), StartsFromSeed(0x9E3779B9u, 6));
    EXPECT_EQ(second->Space.HalfScreenWidth, 800);
    EXPECT_EQ(second->Space.HalfScreenHeight, 450);
}

// Stored strings take their flights before the seed, from the generator as
// a program starts with it: the same directions and colours on every run.
TEST_F(Glyra2Hooks, StoredStringsStartAlikeOnEveryRun)
{
    ASSERT_TRUE(PutValue(Glyra2ListKey, "1", REG_SZ, "alpha"));
    ASSERT_TRUE(PutValue(Glyra2ListKey, "2", REG_SZ, "beta"));
    SeedRandom(1);  // the generator's state when a program starts
    ProgramSettings().LoadFromRegistry();
    Glyra2InstanceRun run(Glyra2View());
    ASSERT_TRUE(run.Prepare());
    EXPECT_EQ(EntryTexts(run->List), (std::vector<std::wstring>{L"alpha", L"beta"}));
    EXPECT_EQ(Starts(run->List), StartsFromSeed(1, 2));
}

TEST_F(Glyra2Hooks, AListOfEmptyStringsShowsTheBuiltInOnes)
{
    ASSERT_TRUE(PutValue(Glyra2ListKey, "1", REG_SZ, ""));
    ProgramSettings().LoadFromRegistry();
    EXPECT_EQ(ProgramSettings().Values.Strings.EntryCount, 0);
    Glyra2InstanceRun run(Glyra2View());
    ASSERT_TRUE(run.Prepare());
    EXPECT_EQ(EntryTexts(run->List), BuiltIn());
}

// A run brings FontSize into 6..MaxFontSize before the fonts are made, and
// the table holds one font per height; the settings keep the stored size.
TEST_F(Glyra2Hooks, FontSizeBoundsAndTheTable)
{
    const struct {
        DWORD Stored;
        int32_t Used;
    } cases[] = {{0, 6}, {30, 30}, {65536, MaxFontSize}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        ASSERT_TRUE(PutDword(Glyra2Key, "FontSize", c.Stored));
        ProgramSettings().LoadFromRegistry();
        Glyra2InstanceRun run(Glyra2View());
        ASSERT_TRUE(run.Prepare());
        EXPECT_EQ(run->FontSize, c.Used);
        EXPECT_EQ(ProgramSettings().Values.Numbers[TextFontSize], static_cast<int32_t>(c.Stored));
        ASSERT_TRUE(MakeFonts(run));
        EXPECT_EQ(run->FontCount, c.Used);
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
    ProgramSettings().LoadFromRegistry();
    Glyra2InstanceRun run(Glyra2View());
    ASSERT_TRUE(run.Prepare());
    ASSERT_TRUE(MakeFonts(run));
    ASSERT_EQ(run->FontCount, 20);
    std::vector<HFONT> fonts;
    for (int32_t k = 0; k < 20; ++k) fonts.push_back(GdiFontHandle(Glyra2FontAt(*run, k)));
    for (int32_t k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(fonts[static_cast<size_t>(k)], sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, k + 1);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_TRUE(lf.lfItalic);
        EXPECT_EQ(lf.lfQuality, NONANTIALIASED_QUALITY);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
        HDC holder = GdiFontHolder(Glyra2FontAt(*run, k));
        ASSERT_NE(holder, nullptr);
        EXPECT_EQ(GetCurrentObject(holder, OBJ_FONT), fonts[static_cast<size_t>(k)]);
    }
    EXPECT_TRUE(run.QueryClose());
    EXPECT_EQ(run->FontCount, 0);
    for (HFONT f : fonts) EXPECT_EQ(GetObjectType(f), 0u);
}

TEST_F(Glyra2Hooks, OnCreateMakesTheFontsPlacesTheEntriesAndShowsTheWindow)
{
    ProgramSettings().LoadFromRegistry();
    Glyra2InstanceRun run(Glyra2View());
    ASSERT_TRUE(run.Prepare());
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    if (!window) GTEST_SKIP() << "no display";
    run.OnCreate(window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(run->FontCount, 48);
    for (const TextEntry* e = run->List.Head.get(); e; e = e->Next.get()) {
        const FlightPath& s = PathOf(*e);
        EXPECT_GT(s.MaxExtent, 0);
        EXPECT_EQ(s.HeadSlot, 0);
        EXPECT_EQ(s.ScreenX[s.LastSlot], 512);
    }
    EXPECT_TRUE(run.QueryClose());
    DestroyWindow(window);
}

// Under the Japanese code page the default face finds glyphs for every
// character of the built-in strings, at every height the table holds.
TEST_F(Glyra2Hooks, JapaneseBuiltInStringsHaveGlyphsInTheDefaultFace)
{
    REQUIRE_ANSI_CODE_PAGE(932u);
    ProgramSettings().LoadFromRegistry();
    Glyra2InstanceRun run(Glyra2View());
    ASSERT_TRUE(run.Prepare());
    ASSERT_TRUE(MakeFonts(run));
    HDC dc = CreateCompatibleDC(nullptr);
    for (int32_t k : {5, 17, 47}) {
        HGDIOBJ old = SelectObject(dc, GdiFontHandle(Glyra2FontAt(*run, k)));
        for (const TextEntry* e = run->List.Head.get(); e; e = e->Next.get()) {
            std::vector<WORD> glyphs(static_cast<size_t>(e->Length));
            ASSERT_EQ(GetGlyphIndicesW(dc, e->Text.get(), e->Length, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS),
                      static_cast<DWORD>(e->Length));
            for (int32_t i = 0; i < e->Length; ++i)
                EXPECT_NE(glyphs[static_cast<size_t>(i)], 0xFFFF) << "height " << k + 1 << ", character " << i;
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
}

} // namespace
