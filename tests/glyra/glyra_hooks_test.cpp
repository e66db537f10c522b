// Glyra's hooks against the real registry, GDI and resources of the test
// prefix: the built-in strings, the font, the seed, the release.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "default_texts.h"
#include "entry_texts.h"
#include "glyra_test_support.h"
#include "random.h"
#include "resource_checks.h"
#include "saver_hooks.h"
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

HFONT NoFont(int32_t, int32_t, int32_t, const char*) { return nullptr; }

class GlyraHooks : public ::testing::Test {
protected:
    void SetUp() override
    {
        Release();
        DeleteRegistryTree(GlyraKey);
    }
    void TearDown() override
    {
        Glyra().MakeFont = CreateSaverFont;
        Release();
        DeleteRegistryTree(GlyraKey);
    }
};

// With no stored string each run shows a random, non-empty subset of the
// built-in strings in table order; a stored string keeps them away.
TEST_F(GlyraHooks, BuiltInStringsOnlyForAnEmptyList)
{
    std::set<size_t> seenCounts;
    for (int run = 0; run < 40; ++run) {
        Glyra().LoadFromRegistry();
        // Prepare seeds from the tick count; runs a few ticks apart differ.
        Sleep(3);
        ASSERT_TRUE(Prepare());
        const std::vector<std::wstring> texts = EntryTexts(Glyra().List);
        ASSERT_FALSE(texts.empty());
        size_t next = 0;
        for (const std::wstring& t : texts) {
            while (next < GlyraDefaultTextCount && t != BuiltIn[next]) ++next;
            ASSERT_LT(next, static_cast<size_t>(GlyraDefaultTextCount)) << "not a built-in string in table order";
            ++next;
        }
        seenCounts.insert(texts.size());
        Release();
    }
    EXPECT_GT(seenCounts.size(), 1u) << "every run showed the same number of strings";

    Store({{"mine"}});
    Glyra().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(EntryTexts(Glyra().List), (std::vector<std::wstring>{L"mine"}));
}

// Prepare seeds the generator from the tick count, so stored strings get
// new colours and paths in every run.
TEST_F(GlyraHooks, PrepareSeedsFromTheTickCount)
{
    Store({{"seeded"}});
    std::vector<std::pair<uint32_t, double>> looks;
    for (int run = 0; run < 2; ++run) {
        Glyra().LoadFromRegistry();
        SeedRandom(1);
        const DWORD before = GetTickCount();
        ASSERT_TRUE(Prepare());
        const DWORD after = GetTickCount();
        // Nothing is drawn after the seed when the list is stored.
        EXPECT_GE(RandomState(), before);
        EXPECT_LE(RandomState(), after);
        MemoryCanvas canvas(16, 16);
        PlaceEntries(canvas.Dc());
        looks.emplace_back(Glyra().List.Head->State->TextColour, Glyra().List.Head->State->Direction);
        Release();
        Sleep(40);
    }
    // Two seeds 40 ms apart: colour and heading together differ.
    EXPECT_NE(looks[0], looks[1]);
}

TEST_F(GlyraHooks, PrepareMakesTheFontFromTheSettingsAndBoundsTheSize)
{
    const struct {
        int32_t Stored, Height, Bold, Italic;
    } cases[] = {{32, 32, 0, 0}, {6, 6, 1, 0},   {5, 6, 0, 1},           {0, 6, 1, 1},
                 {-40, 6, 0, 0}, {90, 90, 0, 7}, {65536, MaxFontSize, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        StoredSettings stored;
        stored.Texts = {"x"};
        stored.FontSize = c.Stored;
        stored.Bold = c.Bold;
        stored.Italic = c.Italic;
        Store(stored);
        Glyra().LoadFromRegistry();
        ASSERT_TRUE(Prepare());
        EXPECT_EQ(Glyra().FontSize, c.Height);
        ASSERT_NE(Glyra().TextFont, nullptr);
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(Glyra().TextFont, sizeof lf, &lf), static_cast<int>(sizeof lf));
        EXPECT_EQ(lf.lfHeight, c.Height);
        EXPECT_EQ(lf.lfWeight, c.Bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(lf.lfItalic != 0, c.Italic != 0);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
        Release();
    }
}

// A font that cannot be made: the message, then the animation runs in the
// device context's own font.
TEST_F(GlyraHooks, AMissingFontIsReportedAndTheAnimationRuns)
{
    Store({{"still here"}});
    Glyra().MakeFont = NoFont;
    Glyra().LoadFromRegistry();
    MessageBoxCatcher catcher;
    ASSERT_TRUE(Prepare());
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].Text, "failed to creating font.");
    EXPECT_EQ(Glyra().TextFont, nullptr);

    Glyra().WindowWidth = Glyra().ScreenWidth;
    Glyra().WindowHeight = Glyra().ScreenHeight;
    MemoryCanvas canvas(Glyra().ScreenWidth, Glyra().ScreenHeight);
    PlaceEntries(canvas.Dc());
    for (int tick = 0; tick < 5; ++tick) DrawFrame(nullptr, canvas.Dc());
    EXPECT_GT(Lit(canvas.Pixels()), 10u);
    Release();
    EXPECT_EQ(catcher.Boxes().size(), 1u);
}

// Release deletes the font, then frees every entry; the count of entries
// added stays.
TEST_F(GlyraHooks, ReleaseDeletesTheFontAndFreesTheList)
{
    Store({{"one", "two"}});
    Glyra().LoadFromRegistry();
    ASSERT_TRUE(Prepare());
    HFONT font = Glyra().TextFont;
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(QueryClose(nullptr));
    Release();
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(Glyra().TextFont, nullptr);
    EXPECT_EQ(Glyra().List.Head, nullptr);
    EXPECT_EQ(Glyra().List.Tail, nullptr);
    EXPECT_EQ(Glyra().List.EntryCount, 2);
    // A second Release finds nothing to free.
    Release();
}

// The trail is sized by the Speed loaded, which is brought into 1..5.
TEST_F(GlyraHooks, TrailsSizedByTheLoadedSpeed)
{
    const struct {
        int32_t Stored, Spacing;
    } cases[] = {{1, 1}, {5, 5}, {0, 1}, {-3, 1}, {6, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        StoredSettings stored;
        stored.Texts = {"four"};
        stored.Speed = c.Stored;
        Store(stored);
        Glyra().LoadFromRegistry();
        ASSERT_NE(Glyra().List.Head, nullptr);
        EXPECT_EQ(Glyra().List.Head->State->Spacing, c.Spacing);
        EXPECT_EQ(Glyra().List.Head->State->TrailLength, 4 * c.Spacing);
        Release();
    }
}

TEST(GlyraResources, IconDialogAndVersion)
{
    EXPECT_NE(FindJapaneseResource(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, 101), nullptr);
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101)), nullptr);
    EXPECT_NE(FindJapaneseResource(MAKEINTRESOURCEA(5) /* RT_DIALOG */, 102), nullptr);
    const VersionRecord version;
    const VersionText strings[] = {
        {L"CompanyName", L"Zamvel"},
        {L"FileVersion", L"1, 0, 0, 1"},
        {L"ProductVersion", L"1, 0, 0, 1"},
        {L"InternalName", L"Glyra"},
        {L"OriginalFilename", L"Glyra.scr"},
        {L"ProductName", L"Glyra"},
    };
    ExpectVersionTexts(version, strings);
    EXPECT_NE(version.String(L"FileDescription").find(L"Glyra"), std::wstring::npos);
}

} // namespace
