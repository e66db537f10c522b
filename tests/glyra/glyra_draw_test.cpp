// Glyra's ticks drawn into a screen-sized memory DC and read back.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "gdi_canvas.h"
#include "glyra_test_support.h"
#include "random.h"
#include "win_test_support.h"

namespace {

class GlyraDrawing : public GlyraTest {
protected:
    // The shell's order without a window, the window covering the screen,
    // and a fixed seed after Prepare's own.
    void Start(const StoredSettings& stored, uint32_t seed, MemoryCanvas& canvas)
    {
        Store(stored);
        ProgramSettings().LoadFromRegistry();
        run = std::make_unique<GlyraInstanceRun>(GlyraView());
        ASSERT_TRUE(run->Prepare());
        SeedRandom(seed);
        GdiCanvas gdi(canvas.Dc());
        PlaceEntries(**run, gdi);
    }
    static int Width() { return GlyraView().ScreenWidth; }
    static int Height() { return GlyraView().ScreenHeight; }
    // Last tick's glyphs of every entry drawn in one colour.
    void DrawAll(HDC dc, bool inBlack)
    {
        GdiCanvas gdi(dc);
        for (TextEntry* e = (*run)->List.Head.get(); e; e = e->Next.get())
            DrawCharacters(**run, gdi, *e, inBlack ? RGB(0, 0, 0) : TrailOf(*e).TextColour);
    }
    std::unique_ptr<GlyraInstanceRun> run;
};

// After many ticks the picture holds exactly the glyphs of the last tick:
// the erase pass left nothing of the earlier ones, even with font smoothing
// switched on for the system.
TEST_F(GlyraDrawing, TheErasePassLeavesNothingBehind)
{
    SmoothingOn smoothing;
    MemoryCanvas canvas(Width(), Height());
    StoredSettings stored;
    stored.Texts = {"Glyra crawls: WMQ@&%"};
    stored.Speed = 2;
    stored.FontSize = 40;
    Start(stored, 2024, canvas);
    for (int tick = 0; tick < 300; ++tick) run->DrawFrame(canvas.Dc());

    MemoryCanvas fresh(Width(), Height());
    DrawAll(fresh.Dc(), false);
    const std::vector<uint32_t> picture = canvas.Pixels();
    EXPECT_GT(Lit(picture), 100u);
    EXPECT_TRUE(picture == fresh.Pixels()) << "pixels other than the last tick's glyphs are lit";

    // Drawing them once more in black leaves the screen black.
    DrawAll(canvas.Dc(), true);
    EXPECT_EQ(Lit(canvas.Pixels()), 0u);
}

// Several strings crossing: every lit pixel is exactly one string's colour
// (no blended edge), every channel 135..255, and one more erase pass of all
// of them leaves the screen black.
TEST_F(GlyraDrawing, EveryLitPixelIsAStringsLightColour)
{
    SmoothingOn smoothing;
    MemoryCanvas canvas(Width(), Height());
    StoredSettings stored;
    stored.Texts = {"first string", "WWWWWWWW", "iiiiiii", "The Eyes of Truth."};
    stored.Speed = 1;
    Start(stored, 7, canvas);
    std::set<uint32_t> colours;
    for (TextEntry* e = (*run)->List.Head.get(); e; e = e->Next.get()) colours.insert(TrailOf(*e).TextColour);
    for (uint32_t c : colours)
        for (uint32_t channel : {c & 0xFF, (c >> 8) & 0xFF, c >> 16}) {
            EXPECT_GE(channel, 135u);
            EXPECT_LE(channel, 255u);
        }
    for (int tick = 0; tick < 200; ++tick) {
        run->DrawFrame(canvas.Dc());
        if (tick % 50 != 49) continue;
        size_t lit = 0;
        for (uint32_t p : canvas.Pixels()) {
            if (!p) continue;
            ++lit;
            ASSERT_TRUE(colours.count(AsColorref(p))) << std::hex << p << " at tick " << std::dec << tick;
        }
        EXPECT_GT(lit, 100u);
    }
    DrawAll(canvas.Dc(), true);
    EXPECT_EQ(Lit(canvas.Pixels()), 0u);
}

// One seed gives one picture; another seed another.
TEST_F(GlyraDrawing, AFixedSeedRepeatsExactly)
{
    StoredSettings stored;
    stored.Texts = {"repeat me", "and me"};
    const auto picture = [&](uint32_t seed) {
        MemoryCanvas canvas(Width(), Height());
        Start(stored, seed, canvas);
        for (int tick = 0; tick < 60; ++tick) run->DrawFrame(canvas.Dc());
        run.reset();
        return canvas.Pixels();
    };
    const std::vector<uint32_t> first = picture(31), again = picture(31), other = picture(32);
    EXPECT_GT(Lit(first), 50u);
    EXPECT_TRUE(first == again);
    EXPECT_FALSE(first == other);
}

// The start point is half the window, in full-screen units: the centre of
// its monitor in Run, near the top-left corner in the preview.
TEST_F(GlyraDrawing, EntriesStartAtHalfTheWindow)
{
    const struct {
        int32_t Width, Height, X, Y;
    } cases[] = {{1024, 768, 512, 384}, {152, 112, 76, 56}, {151, 111, 75, 55}};
    Store({{"ab", "xyz"}});
    ProgramSettings().LoadFromRegistry();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Width);
        SaverView view = GlyraView();
        view.WindowWidth = c.Width;
        view.WindowHeight = c.Height;
        GlyraInstanceRun preview(view);
        ASSERT_TRUE(preview.Prepare());
        MemoryCanvas canvas(16, 16);
        GdiCanvas gdi(canvas.Dc());
        PlaceEntries(*preview, gdi);
        for (TextEntry* e = preview->List.Head.get(); e; e = e->Next.get()) {
            const CrawlTrail& t = TrailOf(*e);
            for (int32_t k = 0; k < t.TrailLength; ++k) {
                EXPECT_EQ(t.TrailX[k], c.X);
                EXPECT_EQ(t.TrailY[k], c.Y);
            }
            for (int32_t i = 0; i < e->Length; ++i) {
                EXPECT_EQ(t.CharX[i], c.X);
                EXPECT_EQ(t.CharY[i], c.Y);
            }
        }
    }
}

// The step comes from the widest character measured in the font, carried
// from a wide string to a narrow one after it.
TEST_F(GlyraDrawing, StepFromTheWidestCharacterInTheFont)
{
    for (int32_t speed : {1, 5}) {
        SCOPED_TRACE(speed);
        StoredSettings stored;
        stored.Texts = {"WMW", "iil"};
        stored.Speed = speed;
        stored.FontSize = 60;
        Store(stored);
        ProgramSettings().LoadFromRegistry();
        GlyraInstanceRun wide(GlyraView());
        ASSERT_TRUE(wide.Prepare());
        MemoryCanvas canvas(16, 16);
        HGDIOBJ old = SelectObject(canvas.Dc(), GdiFontHandle(wide->Font.get()));
        SIZE w{}, m{};
        GetTextExtentPoint32W(canvas.Dc(), L"W", 1, &w);
        GetTextExtentPoint32W(canvas.Dc(), L"M", 1, &m);
        SelectObject(canvas.Dc(), old);
        const int32_t widest = w.cx > m.cx ? w.cx : m.cx;
        GdiCanvas gdi(canvas.Dc());
        PlaceEntries(*wide, gdi);
        const int32_t step = StepLengthFor(widest, speed);
        EXPECT_GT(widest, 20);
        EXPECT_EQ(TrailOf(*wide->List.Head).StepLength, step);
        EXPECT_EQ(TrailOf(*wide->List.Tail).StepLength, step);
    }
}

} // namespace
