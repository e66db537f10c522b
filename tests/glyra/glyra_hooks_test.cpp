// Glyra through the shell's hooks, on instances of the saver, against the
// real registry and GDI of the test prefix: the built-in strings, the font,
// the seed, the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi_text.h"
#include "default_texts.h"
#include "dialog_language.h"
#include "entry_texts.h"
#include "glyra_defaults.h"
#include "glyra_table.h"
#include "gdi_canvas.h"
#include "glyra_test_support.h"
#include "failure_points.h"
#include "random.h"
#include "text_schema.h"
#include "win_test_support.h"

namespace {

bool Pick(int index, void* context)
{
    static_cast<std::vector<std::wstring>*>(context)->push_back(Wide(GlyraDefaultTexts[index].Text));
    return true;
}

// The built-in strings that the draws right after seeding with seed pick.
std::vector<std::wstring> BuiltInsFromSeed(uint32_t seed)
{
    std::vector<std::wstring> picked;
    SeedRandom(seed);
    AddDefaultTexts(Pick, &picked);
    return picked;
}

class GlyraHooks : public GlyraTest {};

// With no stored string a run shows the built-in strings that the draws
// right after its tick-count seed pick: a random, non-empty subset in table
// order, another in every run. A stored
// string keeps them away.
TEST_F(GlyraHooks, BuiltInStringsOnlyForAnEmptyList)
{
    ProgramSettings().LoadFromRegistry();
    GlyraInstanceRun run(GlyraView());
    const DWORD before = GetTickCount();
    ASSERT_TRUE(run.Prepare());
    const DWORD after = GetTickCount();
    const std::vector<std::wstring> shown = EntryTexts(run->List);
    bool seeded = false;
    for (DWORD t = before; t <= after && !seeded; ++t) seeded = BuiltInsFromSeed(t) == shown;
    EXPECT_TRUE(seeded) << "not the strings a tick-count seed picks";

    Store({{"mine"}});
    ProgramSettings().LoadFromRegistry();
    GlyraInstanceRun stored(GlyraView());
    ASSERT_TRUE(stored.Prepare());
    EXPECT_EQ(EntryTexts(stored->List), (std::vector<std::wstring>{L"mine"}));
}

// The first window seeds the generator from the tick count, so stored
// strings too get new colours and paths in every run; with a stored list
// nothing is drawn after the seed. A second window draws on from the
// generator as the first left it.
TEST_F(GlyraHooks, OnlyTheFirstWindowSeedsFromTheTickCount)
{
    Store({{"seeded"}});
    ProgramSettings().LoadFromRegistry();
    GlyraInstanceRun first(GlyraView());
    SeedRandom(1);
    const DWORD before = GetTickCount();
    ASSERT_TRUE(first.Prepare());
    const DWORD after = GetTickCount();
    EXPECT_GE(RandomState(), before);
    EXPECT_LE(RandomState(), after);

    SeedRandom(0x9E3779B9u);
    GlyraInstanceRun second(GlyraView(1));
    ASSERT_TRUE(second.Prepare());
    EXPECT_EQ(RandomState(), 0x9E3779B9u);
}

// A run makes its font from the settings, its size brought into
// 6..MaxFontSize; the settings keep the stored size.
TEST_F(GlyraHooks, PrepareMakesTheFontFromTheSettingsAndBoundsTheSize)
{
    const struct {
        int32_t Stored, Height, Bold, Italic;
    } cases[] = {{32, 32, 0, 0}, {5, 6, 1, 0}, {90, 90, 0, 7}, {65536, MaxFontSize, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        StoredSettings stored;
        stored.Texts = {"x"};
        stored.FontSize = c.Stored;
        stored.Bold = c.Bold;
        stored.Italic = c.Italic;
        Store(stored);
        ProgramSettings().LoadFromRegistry();
        GlyraInstanceRun run(GlyraView());
        ASSERT_TRUE(run.Prepare());
        EXPECT_EQ(run->FontSize, c.Height);
        EXPECT_EQ(ProgramSettings().Values.Numbers[TextFontSize], c.Stored);
        ASSERT_NE(run->Font, nullptr);
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(GdiFontHandle(run->Font.get()), sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, c.Height);
        EXPECT_EQ(lf.lfWeight, c.Bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(lf.lfItalic != 0, c.Italic != 0);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
    }
}

// A font that cannot be made: the message, once for the whole run and in
// the dialog's language, then the animation runs in the device context's
// own font. Run again under code pages 932 and 1252 with a Japanese UI
// language: the program's own words.
TEST_F(GlyraHooks, AMissingFontIsReportedAndTheAnimationRuns)
{
    Store({{"still here"}});
    ProgramSettings().LoadFromRegistry();
    MessageBoxCatcher catcher;
    GlyraInstanceRun run(GlyraView());
    GlyraInstanceRun second(GlyraView(1));
    PlanFailure(FailurePoint::GdiObject, 1, true);
    ASSERT_TRUE(run.Prepare());
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].Text, ShownUtf8(FontMissingText));
    EXPECT_EQ(run->Font, nullptr);
    ASSERT_TRUE(second.Prepare());
    ClearFailurePlan();
    EXPECT_EQ(catcher.Boxes().size(), 1u);

    MemoryCanvas canvas(1024, 768);
    {
        GdiCanvas gdi(canvas.Dc());
        PlaceEntries(*run, gdi);
    }
    for (int tick = 0; tick < 5; ++tick) run.DrawFrame(canvas.Dc());
    EXPECT_GT(Lit(canvas.Pixels()), 10u);
    run.End();
    second.End();
    EXPECT_EQ(catcher.Boxes().size(), 1u);
}

// The instance's end deletes the font with the run; the stored texts stay
// for the other windows.
TEST_F(GlyraHooks, TheEndDeletesTheFont)
{
    Store({{"one", "two"}});
    ProgramSettings().LoadFromRegistry();
    GlyraInstanceRun run(GlyraView());
    ASSERT_TRUE(run.Prepare());
    HFONT font = GdiFontHandle(run->Font.get());
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(run.QueryClose());
    run.End();
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(EntryTexts(ProgramSettings().Values.Strings), (std::vector<std::wstring>{L"one", L"two"}));
}

} // namespace
