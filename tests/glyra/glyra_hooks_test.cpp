// Glyra's hooks on instances of the saver, against the real registry and
// GDI of the test prefix: the built-in strings, the font, the seed, the
// release.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "default_texts.h"
#include "entry_texts.h"
#include "glyra_defaults.h"
#include "gdi_canvas.h"
#include "glyra_test_support.h"
#include "random.h"
#include "win_test_support.h"

namespace {

// Glyra's built-in strings as they must read, whatever the ANSI code page.
const wchar_t* const BuiltIn[GlyraDefaultTextCount] = {
    L"Tutte le strade portano a Roma.",
    L"The Eyes of Truth.",
    L"少年老い易く、学成り難し",
    L"光陰矢の如し",
    L"祇園精舎の鐘の音、諸行無常の響きあり。沙羅双樹の花の色、盛者必衰の理をあらはす。"
    L"奢れる者も久しからず、ただ春の世の夢の如し。猛き者もつひには滅びぬ、ひとへに風の前の塵に同じ。",
    L"進むことを畏れるものに明日は訪れない。",
    L"汝自身を知れ",
};

bool Pick(int index, void* context)
{
    static_cast<std::vector<std::wstring>*>(context)->push_back(BuiltIn[index]);
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

CanvasFont* NoFont(Canvas&, const TextChar*, int32_t, bool, bool) { return nullptr; }

class GlyraHooks : public GlyraTest {};

// With no stored string a run shows the built-in strings that the draws
// right after its tick-count seed pick, decoded from code page 932: a
// random, non-empty subset in table order, another in every run. A stored
// string keeps them away.
TEST_F(GlyraHooks, BuiltInStringsOnlyForAnEmptyList)
{
    Glyra().LoadFromRegistry();
    GlyraInstanceRun run(GlyraView());
    const DWORD before = GetTickCount();
    ASSERT_TRUE(run.Prepare());
    const DWORD after = GetTickCount();
    const std::vector<std::wstring> shown = EntryTexts(run->Run.List);
    bool seeded = false;
    for (DWORD t = before; t <= after && !seeded; ++t) seeded = BuiltInsFromSeed(t) == shown;
    EXPECT_TRUE(seeded) << "not the strings a tick-count seed picks";

    Store({{"mine"}});
    Glyra().LoadFromRegistry();
    GlyraInstanceRun stored(GlyraView());
    ASSERT_TRUE(stored.Prepare());
    EXPECT_EQ(EntryTexts(stored->Run.List), (std::vector<std::wstring>{L"mine"}));
}

// The first window seeds the generator from the tick count, so stored
// strings too get new colours and paths in every run; with a stored list
// nothing is drawn after the seed. A second window draws on from the
// generator as the first left it.
TEST_F(GlyraHooks, OnlyTheFirstWindowSeedsFromTheTickCount)
{
    Store({{"seeded"}});
    Glyra().LoadFromRegistry();
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
        Glyra().LoadFromRegistry();
        GlyraInstanceRun run(GlyraView());
        ASSERT_TRUE(run.Prepare());
        EXPECT_EQ(run->Run.FontSize, c.Height);
        EXPECT_EQ(Glyra().FontSize, c.Stored);
        ASSERT_NE(run->Run.Font, nullptr);
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(GdiFontHandle(run->Run.Font), sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, c.Height);
        EXPECT_EQ(lf.lfWeight, c.Bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(lf.lfItalic != 0, c.Italic != 0);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
    }
}

// A font that cannot be made: the message, once for the whole run, then
// the animation runs in the device context's own font.
TEST_F(GlyraHooks, AMissingFontIsReportedAndTheAnimationRuns)
{
    Store({{"still here"}});
    Glyra().MakeFont = NoFont;
    Glyra().LoadFromRegistry();
    MessageBoxCatcher catcher;
    GlyraInstanceRun run(GlyraView());
    ASSERT_TRUE(run.Prepare());
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].Text, "failed to creating font.");
    EXPECT_EQ(run->Run.Font, nullptr);
    GlyraInstanceRun second(GlyraView(1));
    ASSERT_TRUE(second.Prepare());
    EXPECT_EQ(catcher.Boxes().size(), 1u);

    MemoryCanvas canvas(1024, 768);
    {
        GdiCanvas gdi(canvas.Dc());
        PlaceEntries(run->Run, gdi);
    }
    for (int tick = 0; tick < 5; ++tick) run.DrawFrame(canvas.Dc());
    EXPECT_GT(Lit(canvas.Pixels()), 10u);
    run.End();
    second.End();
    EXPECT_EQ(catcher.Boxes().size(), 1u);
}

// Release deletes the font, then frees every entry; the count of entries
// added stays, and so do the stored texts for the other windows.
TEST_F(GlyraHooks, ReleaseDeletesTheFontAndFreesTheList)
{
    Store({{"one", "two"}});
    Glyra().LoadFromRegistry();
    GlyraInstanceRun run(GlyraView());
    ASSERT_TRUE(run.Prepare());
    HFONT font = GdiFontHandle(run->Run.Font);
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(run.QueryClose());
    run.Release();
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(run->Run.Font, nullptr);
    EXPECT_EQ(run->Run.List.Head, nullptr);
    EXPECT_EQ(run->Run.List.Tail, nullptr);
    EXPECT_EQ(run->Run.List.EntryCount, 2);
    EXPECT_EQ(EntryTexts(Glyra().List), (std::vector<std::wstring>{L"one", L"two"}));
}

} // namespace
