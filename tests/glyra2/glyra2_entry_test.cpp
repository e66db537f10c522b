#include "glyra2_entry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "failure_points.h"
#include "random.h"
#include "random_steering.h"

namespace {

// The next tick turns neither the azimuth nor the inclination.
bool NoTurns() { return RandomInt(3) == 1 && RandomInt(3) == 1; }

// An entry of the given length built with the given speed.
struct Entry {
    explicit Entry(int32_t length, int32_t speed)
    {
        entry.Text.reset(new TextChar[static_cast<size_t>(length) + 1]());
        for (int32_t i = 0; i < length; ++i) entry.Text[i] = u'A';
        entry.Length = length;
        ok = BuildFlightPath(entry, speed);
    }
    FlightPath& S() { return PathOf(entry); }
    TextEntry entry;
    bool ok = false;
};

std::unique_ptr<Glyra2Space> Space1024()
{
    auto space = std::make_unique<Glyra2Space>();
    FillSpace(*space, 512, 384);
    return space;
}

// From seed 1 the draws are 41, 18467, 6334, 26500, 19169, 15724: azimuth
// 0, x 1.69, n 11, so inclination trunc(11 + 0.69 * 90 - 30) = 43, and the
// colour (207, 149, 122) is bright enough at the first try.
TEST(BuildFlightPath, DrawsHeadingThenColourInOrder)
{
    SeedRandom(1);
    Entry e(3, 3);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(e.S().Azimuth, 0);
    EXPECT_EQ(e.S().Inclination, 43);
    EXPECT_EQ(e.S().Red, 207);
    EXPECT_EQ(e.S().Green, 149);
    EXPECT_EQ(e.S().Blue, 122);
    EXPECT_EQ(e.S().LastSlot, 12);
    EXPECT_EQ(DrawsBetween(1, RandomState()), 6);  // six draws, nothing more
}

TEST(BuildFlightPath, ADrawn256IsStoredAsZero)
{
    // The red draw is the generator's maximum (RandomInt(256) = 256), and
    // green and blue make the colour bright without it.
    const uint32_t state = SteerRandom([] {
        RandomInt(360);
        RandomReal(3.0);
        RandomInt(60);
        if (RandomInt(256) != 256) return false;
        const int32_t g = RandomInt(256), b = RandomInt(256);
        return g >= 200 && g < 256 && b >= 200 && b < 256;
    });
    ASSERT_NE(state, 0u);
    Entry e(1, 1);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(DrawsBetween(state, RandomState()), 6);  // kept at the first try
    SeedRandom(state);
    for (int i = 0; i < 4; ++i) RandomDraw();
    const int32_t g = RandomInt(256), b = RandomInt(256);
    EXPECT_EQ(e.S().Red, 0);
    EXPECT_EQ(e.S().Green, g);
    EXPECT_EQ(e.S().Blue, b);
}

TEST(BuildFlightPath, ColoursAreAlwaysBrightAndInclinationsInRange)
{
    SeedRandom(7);
    int redraws = 0;
    for (int i = 0; i < 2000; ++i) {
        const uint32_t before = RandomState();
        Entry e(1, 3);
        ASSERT_TRUE(e.ok);
        const FlightPath& s = e.S();
        EXPECT_GE(std::sqrt(double(s.Red * s.Red + s.Green * s.Green + s.Blue * s.Blue)), 225.0);
        EXPECT_GE(s.Azimuth, 0);
        EXPECT_LE(s.Azimuth, 360);
        EXPECT_GE(s.Inclination, -120);
        EXPECT_LE(s.Inclination, 210);
        // Three draws for the heading, three for each colour tried.
        const int draws = DrawsBetween(before, RandomState());
        EXPECT_EQ(draws % 3, 0);
        EXPECT_GE(draws, 6);
        redraws += (draws - 6) / 3;
    }
    EXPECT_GT(redraws, 0);  // dim colours do come up and are drawn again
}

// Ring sizes and the chain of slots a tick draws from: character i sits
// i * Speed slots behind the newest, and the slot the next tick writes is
// never one of them.
TEST(Ring, SlotsOfTheCharacters)
{
    const struct {
        int32_t Length, Speed, LastSlot;
    } cases[] = {{1, 1, 2}, {1, 5, 6}, {4, 1, 8}, {4, 5, 24}, {30, 3, 120}, {3, 0, 3}};
    for (const auto& c : cases) {
        Entry e(c.Length, c.Speed);
        ASSERT_TRUE(e.ok);
        ASSERT_EQ(e.S().LastSlot, c.LastSlot) << c.Length << "x" << c.Speed;
        for (int32_t cur = 0; cur <= c.LastSlot; ++cur) {
            int32_t slot = cur;
            std::set<int32_t> used;
            for (int32_t i = 0; i < c.Length; ++i) {
                const int32_t expected = ((cur - i * c.Speed) % (c.LastSlot + 1) + c.LastSlot + 1) % (c.LastSlot + 1);
                ASSERT_EQ(slot, expected) << "character " << i;
                used.insert(slot);
                slot = SlotBehind(e.S(), slot);
            }
            const int32_t next = cur == c.LastSlot ? 0 : cur + 1;
            if (c.Speed > 0) {
                EXPECT_EQ(used.count(next), 0u) << c.Length << "x" << c.Speed << " at " << cur;
            }
        }
    }
}

TEST(Ring, AdvanceWrapsAfterTheLastSlot)
{
    Entry e(1, 5);  // a one-character string: LastSlot = Speed + 1
    ASSERT_TRUE(e.ok);
    ASSERT_EQ(e.S().LastSlot, 6);
    std::vector<int32_t> heads;
    for (int i = 0; i < 9; ++i) {
        heads.push_back(e.S().HeadSlot);
        AdvanceRing(e.S());
        EXPECT_EQ(e.S().PrevSlot, heads.back());
    }
    EXPECT_EQ(heads, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 0, 1}));
}

TEST(Tick, TheLeadingCharactersFirstMove)
{
    auto space = Space1024();
    Entry e(2, 3);
    ASSERT_TRUE(e.ok);
    FlightPath& s = e.S();
    StartEntry(s, 48, *space);
    s.MaxExtent = 60;
    s.Azimuth = 0;
    s.Inclination = 30;
    ASSERT_NE(SteerRandom(NoTurns), 0u);
    const int32_t step = MoveLeader(s, *space);
    // step = ScaleDown(60, 2000); h = trunc(20 sin 30) = 9 with the tables'
    // pi; d = 17 would pass the far limit: the depth stays and the heading
    // is mirrored.
    EXPECT_EQ(step, 20);
    EXPECT_EQ(s.PathX[0], 9);
    EXPECT_EQ(s.PathY[0], 0);
    EXPECT_EQ(s.PathZ[0], 2000);
    EXPECT_EQ(s.Inclination, 150);
    ProjectSlot(s, step, 48, *space);
    EXPECT_EQ(s.ScreenX[0], 3 + 512 - 10);
    EXPECT_EQ(s.ScreenY[0], 384 - 10);
    EXPECT_EQ(s.FontIndex[0], 18);
    // The second character still sits at the start: the far centre in the
    // font of the far depth.
    const int32_t second = SlotBehind(s, 0);
    EXPECT_EQ(s.ScreenX[second], 512);
    EXPECT_EQ(s.ScreenY[second], 384);
    EXPECT_EQ(s.FontIndex[second], ScaleDown(48, 2000) + 2);
    EXPECT_EQ(s.PathZ[second], 2000);
}

// Damping and the step look at the depth the written slot held one ring
// ago, not at the previous slot.
TEST(Tick, DampingAndStepUseTheWrittenSlotsOldDepth)
{
    auto space = Space1024();
    const struct {
        int32_t PrevDepth, OldDepth, Inclination, After;
    } cases[] = {{1500, 400, 120, 119}, {400, 1500, 120, 120}, {1500, 400, -120, -120}};
    for (const auto& c : cases) {
        Entry e(1, 1);
        ASSERT_TRUE(e.ok);
        FlightPath& s = e.S();
        StartEntry(s, 48, *space);
        s.MaxExtent = 40;
        s.PrevSlot = 0;
        s.HeadSlot = 1;
        s.PathZ[0] = c.PrevDepth;
        s.PathZ[1] = c.OldDepth;
        s.Inclination = c.Inclination;
        s.Azimuth = 90;
        ASSERT_NE(SteerRandom(NoTurns), 0u);
        const int32_t step = MoveLeader(s, *space);
        EXPECT_EQ(step, ScaleDown(40, c.OldDepth));
        EXPECT_EQ(s.Inclination, c.After) << c.PrevDepth << "/" << c.OldDepth;
        const int32_t d = TruncToInt(step * space->CosTable[c.After + 180]);
        EXPECT_EQ(s.PathZ[1], c.PrevDepth + d);
    }
}

TEST(Tick, AOneCharacterStringMovesOneStepPerTick)
{
    auto space = Space1024();
    SeedRandom(3);
    Entry e(1, 2);
    ASSERT_TRUE(e.ok);
    FlightPath& s = e.S();
    StartEntry(s, 48, *space);
    s.MaxExtent = 50;
    for (int tick = 0; tick < 200; ++tick) {
        const int32_t prev = s.PrevSlot, cur = s.HeadSlot;
        const int32_t x0 = s.PathX[prev], y0 = s.PathY[prev], z0 = s.PathZ[prev];
        const int32_t step = MoveLeader(s, *space);
        ProjectSlot(s, step, 48, *space);
        // Unless it wrapped at a side, the move is at most one step long.
        const double dx = s.PathX[cur] - x0, dy = s.PathY[cur] - y0, dz = s.PathZ[cur] - z0;
        const bool wrapped = std::abs(dx) > step || std::abs(dy) > step;
        if (!wrapped) {
            EXPECT_LE(std::sqrt(dx * dx + dy * dy + dz * dz), step + 1e-9) << tick;
        }
        AdvanceRing(s);
    }
}

// Many ticks of random flight: every index into the tables and the rings
// stays in range.
TEST(Tick, EveryIndexStaysInRangeOverALongRun)
{
    const struct {
        int32_t HalfW, HalfH, FontSize, Speed, Length, MaxExtent;
    } runs[] = {
        {512, 384, 48, 3, 31, 60}, {960, 540, 6, 1, 1, 5},     {160, 120, 1000, 5, 12, 1400},
        {512, 384, 200, 2, 4, 300}, {80, 60, 48, 5, 3, 200},   {1920, 1080, 48, 4, 2, 0},
    };
    SeedRandom(12345);
    for (const auto& r : runs) {
        auto space = std::make_unique<Glyra2Space>();
        FillSpace(*space, r.HalfW, r.HalfH);
        Entry e(r.Length, r.Speed);
        ASSERT_TRUE(e.ok);
        FlightPath& s = e.S();
        StartEntry(s, r.FontSize, *space);
        s.MaxExtent = r.MaxExtent;
        for (int tick = 0; tick < 20000; ++tick) {
            const int32_t cur = s.HeadSlot;
            const int32_t step = MoveLeader(s, *space);
            ASSERT_GE(s.Azimuth, -180);
            ASSERT_LE(s.Azimuth, 180);
            ASSERT_GE(s.Inclination, -180);
            ASSERT_LE(s.Inclination, 180);
            ASSERT_GE(s.PathZ[cur], 0);
            ASSERT_LE(s.PathZ[cur], FarDepth);
            ASSERT_GE(step, 0);
            ProjectSlot(s, step, r.FontSize, *space);
            int32_t slot = cur;
            for (int32_t i = 0; i < r.Length; ++i) {
                ASSERT_GE(slot, 0);
                ASSERT_LE(slot, s.LastSlot);
                const int32_t k = ClampedFontIndex(s, slot, r.FontSize);
                ASSERT_GE(k, 0);
                ASSERT_LT(k, r.FontSize);
                slot = SlotBehind(s, slot);
            }
            AdvanceRing(s);
        }
    }
}

TEST(BuildFlightPath, OutOfMemoryKeepsNothingAndDrawsNothing)
{
    for (int granted = 0; granted < 2; ++granted) {
        SeedRandom(99);
        PlanFailure(FailurePoint::Memory, granted + 1, true);
        Entry e(3, 3);
        ClearFailurePlan();
        EXPECT_FALSE(e.ok);
        EXPECT_EQ(e.entry.State, nullptr);
        EXPECT_EQ(RandomState(), 99u);
    }
}

} // namespace
