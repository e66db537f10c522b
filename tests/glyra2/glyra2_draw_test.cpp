// Glyra2's ticks drawn into a screen-sized memory DC and read back.
#include "glyra2_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "gdi_canvas.h"
#include "glyra2_test_support.h"
#include "random.h"
#include "win_test_support.h"

namespace {

void PutSettings(const char* text, DWORD speed, DWORD fontSize)
{
    ASSERT_TRUE(PutValue(Glyra2ListKey, "1", REG_SZ, text));
    ASSERT_TRUE(PutDword(Glyra2Key, "Speed", speed));
    ASSERT_TRUE(PutDword(Glyra2Key, "FontSize", fontSize));
    // A face every wine prefix has, so glyphs are real at every height.
    ASSERT_TRUE(PutValue(Glyra2Key, "FontName", REG_SZ, "Tahoma"));
}

class Glyra2Drawing : public Glyra2Test {
protected:
    // The shell's order without a window: load, prepare, fonts, placing.
    void Start(const char* text, DWORD speed, DWORD fontSize, MemoryCanvas& canvas)
    {
        PutSettings(text, speed, fontSize);
        SeedRandom(1);
        ProgramSettings().LoadFromRegistry();
        run = std::make_unique<Glyra2InstanceRun>(Glyra2View());
        ASSERT_TRUE(run->Prepare());
        SeedRandom(2024);  // the same flight on every run of the test
        ASSERT_TRUE(MakeFonts(*run));
        GdiCanvas gdi(canvas.Dc());
        PlaceEntries(**run, gdi);
    }
    static int Width() { return Glyra2View().ScreenWidth; }
    static int Height() { return Glyra2View().ScreenHeight; }
    std::unique_ptr<Glyra2InstanceRun> run;
};

// After many ticks the picture holds exactly the glyphs of the last tick:
// the erase pass left nothing of the earlier ones, even with font smoothing
// switched on for the system.
TEST_F(Glyra2Drawing, TheErasePassLeavesNothingBehind)
{
    SmoothingOn smoothing;
    MemoryCanvas canvas(Width(), Height());
    Start("Glyra2 flies: WMQ@&%", 2, 48, canvas);
    for (int tick = 0; tick < 300; ++tick) run->DrawFrame(canvas.Dc());
    TextEntry& entry = *(*run)->List.Head;
    const int32_t newest = PathOf(entry).PrevSlot;

    MemoryCanvas fresh(Width(), Height());
    {
        GdiCanvas gdi(fresh.Dc());
        DrawChain(**run, gdi, entry, newest, false);
    }
    const std::vector<uint32_t> picture = canvas.Pixels();
    EXPECT_GT(Lit(picture), 100u);
    EXPECT_TRUE(picture == fresh.Pixels()) << "pixels other than the last tick's glyphs are lit";

    // Drawing them once more in black leaves the screen black.
    {
        GdiCanvas gdi(canvas.Dc());
        DrawChain(**run, gdi, entry, newest, true);
    }
    EXPECT_EQ(Lit(canvas.Pixels()), 0u);
}

// The first tick: only the leading character moves, by the step of the far
// depth; the others are drawn at the far centre in the far font, dimmed to
// 0.4. Then character i shows where the leader was i * Speed ticks before,
// and waits at the centre until then: the string unrolls.
TEST_F(Glyra2Drawing, TheStringUnrollsFromTheFarCentre)
{
    MemoryCanvas canvas(Width(), Height());
    Start("ABCDE", 2, 48, canvas);
    TextEntry& entry = *(*run)->List.Head;
    FlightPath& s = PathOf(entry);
    const Glyra2Space& space = (*run)->Space;
    const int32_t farFont = ScaleDown(48, 2000) + 2;
    const uint32_t farColour = DimmedColour(s.Red, s.Green, s.Blue, 2000);
    ASSERT_GT(s.MaxExtent, 0);

    struct Place {
        int32_t X, Y, Font;
        bool operator==(const Place& o) const { return X == o.X && Y == o.Y && Font == o.Font; }
    };
    const Place centre{space.HalfScreenWidth, space.HalfScreenHeight, farFont};
    std::vector<Place> leader{centre};  // where the leader was drawn after each tick

    run->DrawFrame(canvas.Dc());
    const int32_t step = ScaleDown(s.MaxExtent, 2000);
    const double moved = std::sqrt(double(s.PathX[0]) * s.PathX[0] + double(s.PathY[0]) * s.PathY[0] +
                                   double(s.PathZ[0] - 2000) * (s.PathZ[0] - 2000));
    EXPECT_LE(moved, step + 1e-9);
    EXPECT_LE(s.PathZ[0], 2000);
    // The characters waiting at the centre show in the far colour.
    size_t farPixels = 0;
    for (uint32_t p : canvas.Pixels()) farPixels += AsColorref(p) == farColour;
    EXPECT_GT(farPixels, 20u);

    const int32_t length = entry.Length, speed = 2;
    for (int32_t tick = 1; tick <= (length - 1) * speed + 3; ++tick) {
        if (tick > 1) run->DrawFrame(canvas.Dc());
        const int32_t newest = s.PrevSlot;
        leader.push_back({s.ScreenX[newest], s.ScreenY[newest], s.FontIndex[newest]});
        int32_t slot = newest;
        for (int32_t i = 0; i < length; ++i) {
            const Place at{s.ScreenX[slot], s.ScreenY[slot], s.FontIndex[slot]};
            const int32_t when = tick - i * speed;  // the tick whose leader it shows
            EXPECT_TRUE(at == (when >= 1 ? leader[static_cast<size_t>(when)] : centre))
                << "tick " << tick << ", character " << i;
            slot = SlotBehind(s, slot);
        }
    }
}

// DrawFrame leaves the device context's font as it found it.
TEST_F(Glyra2Drawing, DrawFrameRestoresTheFont)
{
    MemoryCanvas canvas(Width(), Height());
    Start("xyz", 3, 24, canvas);
    HFONT mine = CreateFontA(12, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ old = SelectObject(canvas.Dc(), mine);
    run->DrawFrame(canvas.Dc());
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), mine);
    EXPECT_EQ(GetBkMode(canvas.Dc()), TRANSPARENT);
    SelectObject(canvas.Dc(), old);
    DeleteObject(mine);
}

} // namespace
