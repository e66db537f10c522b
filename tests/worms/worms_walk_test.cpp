#include "failure_points.h"
#include "random.h"
#include "worms_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr CrawlArea Screen{640, 480};

// Remembers what a tick asked to draw, in order.
struct Drawing {
    bool Head;
    int32_t Worm;
    uint32_t Colour;
    SegmentBox Box;
};

struct RecordingPainter {
    const WormCrowd* Crowd;
    std::vector<Drawing> Drawn;
    void Tail(const Worm& w, SegmentBox b) { Drawn.push_back({false, IndexOf(w), w.Colour, b}); }
    void Head(const Worm& w, SegmentBox b) { Drawn.push_back({true, IndexOf(w), w.Colour, b}); }
    int32_t IndexOf(const Worm& w) const { return static_cast<int32_t>(&w - Crowd->begin()); }
};

bool SameBox(SegmentBox a, SegmentBox b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// The generator's state one draw earlier: the step inverted modulo 2^32.
uint32_t StateBefore(uint32_t state)
{
    uint32_t inverse = 1;  // Newton's iteration for the inverse of 214013
    for (int i = 0; i < 5; ++i) inverse *= 2 - 214013u * inverse;
    return (state - 2531011u) * inverse;
}

// A state from which the next draw is the generator's maximum.
uint32_t StateBeforeMaximum()
{
    SeedRandom(3);
    for (;;) {
        const uint32_t before = RandomState();
        if (RandomDraw() == RandomMax) return before;
    }
}

class WormsWalk : public ::testing::Test {
protected:
    void SetUp() override { SeedRandom(1); }

    // A crowd of one worm of length `length` at (x, y) heading `heading`.
    void OneWorm(int32_t length, int32_t x, int32_t y, double heading, int32_t size)
    {
        ASSERT_TRUE(crowd.Build(1, length));
        Worm& w = crowd[0];
        w.SegmentX[0] = x;
        w.SegmentY[0] = y;
        w.Heading = heading;
        w.SegmentSize = size;
    }

    WormCrowd crowd;
};

TEST_F(WormsWalk, BuildDrawsSizeRedGreenBlueHeadingPerWormWithoutSeeding)
{
    ASSERT_TRUE(crowd.Build(2, 7));
    struct Expected {
        int32_t size;
        uint32_t colour;
        double heading;
    };
    // From the generator's first state: draws 41, 18467, 6334, 26500, 19169, then 15724...
    const Expected want[] = {{5, 0xCF3190, 210.60335093234048}, {9, 0xD2E559, 268.7777336954863}};
    for (int i = 0; i < 2; ++i) {
        const Worm& w = crowd[i];
        EXPECT_EQ(w.SegmentSize, want[i].size);
        EXPECT_EQ(w.Colour, want[i].colour);
        EXPECT_DOUBLE_EQ(w.Heading, want[i].heading);
        EXPECT_EQ(w.SegmentCount, 7);
        EXPECT_EQ(w.HeadIndex, 0);
        for (int s = 0; s < 7; ++s) {
            EXPECT_EQ(w.SegmentX[s], 0);
            EXPECT_EQ(w.SegmentY[s], 0);
        }
    }
    // Exactly ten draws, and no reseeding: the 11th draw is the sequence's.
    EXPECT_EQ(RandomDraw(), 5705);
}

TEST_F(WormsWalk, ColourByteOfTheRareDraw256IsZero)
{
    // The draw for red, the second of the worm, is the generator's maximum.
    const uint32_t start = StateBefore(StateBeforeMaximum());
    SeedRandom(start);
    ASSERT_TRUE(crowd.Build(1, 1));
    SeedRandom(start);
    const int32_t size = 5 + RandomInt(10);
    ASSERT_EQ(RandomInt(256), 256);
    const uint32_t green = static_cast<uint32_t>(RandomInt(256));
    const uint32_t blue = static_cast<uint32_t>(RandomInt(256));
    EXPECT_EQ(crowd[0].SegmentSize, size);
    EXPECT_EQ(crowd[0].Colour, 0u + 256 * green + 65536 * blue);
}

// Steps are truncated toward zero and wrapped, x and y each on its own.
TEST_F(WormsWalk, StepTruncatesThenWrapsEachAxis)
{
    const struct {
        int32_t x, y;
        double heading;
        int32_t size;
        int32_t newX, newY;
    } cases[] = {
        {1, 100, 180, 5, 640, 100},  // x -3 becomes the width
        {636, 100, 0, 5, 640, 100},  // x = width stays
        {637, 100, 0, 5, 0, 100},    // width + 1 becomes 0
        {100, 1, 270, 5, 100, 480},  // y -3 becomes the height
        {100, 476, 90, 5, 100, 480},
        {100, 477, 90, 5, 100, 0},
        {100, 100, 135, 15, 92, 108},  // -8.49 truncates to -8, not -9
        {100, 100, 315, 10, 105, 95},
        {0, 0, 225, 15, 640, 480},  // both axes wrap at once
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.x << "," << c.y << " heading " << c.heading);
        OneWorm(2, c.x, c.y, c.heading, c.size);
        StepWorm(crowd[0], 1, Screen);
        EXPECT_EQ(crowd[0].SegmentX[1], c.newX);
        EXPECT_EQ(crowd[0].SegmentY[1], c.newY);
    }
}

TEST(WormsSegment, BoxUsesTheTruncatedHalfSize)
{
    const struct {
        int32_t size, half;
    } cases[] = {{5, 2}, {6, 3}, {15, 7}};
    for (const auto& c : cases) {
        const SegmentBox b = SegmentBoxAt(100, 50, c.size);
        EXPECT_TRUE(SameBox(b, {100 - c.half, 50 - c.half, 100 + c.half, 50 + c.half})) << c.size;
    }
}

TEST(WormsColour, CountsUpRedFirstAndWrapsAfterWhite)
{
    EXPECT_EQ(NextColour(0xFFFFFF), 0u);
    EXPECT_EQ(NextColour(0), 1u);
    EXPECT_EQ(NextColour(0x0000FF), 0x000100u);
    EXPECT_EQ(NextColour(0x00FFFF), 0x010000u);
}

TEST_F(WormsWalk, HeadingIsNeverReduced)
{
    OneWorm(3, 300, 200, 100000.0, 10);
    NoPainter none;
    for (int t = 0; t < 3; ++t) CrawlTick(crowd, TrailClear, Screen, none);
    EXPECT_GE(crowd[0].Heading, 100000.0 - 45);
    EXPECT_LE(crowd[0].Heading, 100000.0 + 45);
}

TEST_F(WormsWalk, OneDrawPerWormPerTick)
{
    ASSERT_TRUE(crowd.Build(4, 3));
    const uint32_t before = RandomState();
    NoPainter none;
    CrawlTick(crowd, TrailSmear, Screen, none);
    const uint32_t after = RandomState();
    SeedRandom(before);
    for (int i = 0; i < 4; ++i) RandomDraw();
    EXPECT_EQ(RandomState(), after);
}

TEST_F(WormsWalk, FirstTickDrawsTailsAtTheOriginAndHeadsOneStepAway)
{
    ASSERT_TRUE(crowd.Build(20, 4));
    RecordingPainter p{&crowd, {}};
    CrawlTick(crowd, TrailNone, Screen, p);
    ASSERT_EQ(p.Drawn.size(), 40u);
    for (int i = 0; i < 20; ++i) {
        const Worm& w = crowd[i];
        const int32_t h = w.SegmentSize / 2;
        const Drawing& tail = p.Drawn[2 * i];
        const Drawing& head = p.Drawn[2 * i + 1];
        EXPECT_FALSE(tail.Head);
        EXPECT_TRUE(head.Head);
        EXPECT_TRUE(SameBox(tail.Box, {-h, -h, h, h})) << i;
        EXPECT_EQ(w.HeadIndex, 1);
        const int32_t x = w.SegmentX[1], y = w.SegmentY[1];
        // A step of at most 0.8 x 15 = 12, or wrapped to the far edge.
        EXPECT_TRUE((x >= 0 && x <= 12) || x == Screen.Width) << x;
        EXPECT_TRUE((y >= 0 && y <= 12) || y == Screen.Height) << y;
        EXPECT_TRUE(SameBox(head.Box, SegmentBoxAt(x, y, w.SegmentSize)));
    }
}

// A head drawn at tick t is drawn again as the tail at tick t + length: with
// the same colour when it leaves no trail, with the colour the latest head
// got when it smears (so length 1 leaves no smear).
TEST_F(WormsWalk, TailRetracesTheHeadOfLengthTicksAgo)
{
    const struct {
        int32_t type, length;
    } cases[] = {{TrailNone, 1}, {TrailNone, 2}, {TrailNone, 10},  {TrailSmear, 1},
                 {TrailSmear, 2}, {TrailSmear, 10}, {TrailClear, 1}, {TrailClear, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " length " << c.length);
        SeedRandom(1);
        ASSERT_TRUE(crowd.Build(3, c.length));
        crowd[1].Colour = 0xFFFFFE;  // passes white during the run
        std::vector<std::vector<Drawing>> ticks;
        for (int t = 0; t < 40; ++t) {
            RecordingPainter p{&crowd, {}};
            CrawlTick(crowd, c.type, Screen, p);
            ticks.push_back(p.Drawn);
        }
        for (int t = c.length; t < 40; ++t) {
            for (int i = 0; i < 3; ++i) {
                const Drawing& tail = ticks[t][2 * i];
                const Drawing& head = ticks[t - c.length][2 * i + 1];
                const Drawing& lastHead = ticks[t - 1][2 * i + 1];
                EXPECT_TRUE(SameBox(tail.Box, head.Box)) << "tick " << t << " worm " << i;
                EXPECT_EQ(tail.Colour, lastHead.Colour);
                if (c.type != TrailSmear) {
                    EXPECT_EQ(tail.Colour, head.Colour);
                }
            }
        }
        // Only the soiling worms' colours move, one step a tick, white to 0.
        const uint32_t moved = c.type == TrailSmear ? 40 : 0;
        EXPECT_EQ(crowd[1].Colour, moved ? (0xFFFFFEu + moved) & 0xFFFFFF : 0xFFFFFEu);
        EXPECT_EQ(crowd[1].HeadIndex, 40 % c.length);
    }
}

TEST_F(WormsWalk, SameSettingsGiveTheSameWormsOnTheSamePaths)
{
    std::vector<int32_t> runs[2];
    for (auto& run : runs) {
        SeedRandom(1);  // a new process starts the generator here too
        ASSERT_TRUE(crowd.Build(30, 10));
        NoPainter none;
        for (int t = 0; t < 200; ++t) CrawlTick(crowd, TrailNone, Screen, none);
        for (const Worm& w : crowd) {
            run.insert(run.end(), {w.SegmentSize, static_cast<int32_t>(w.Colour), w.HeadIndex});
            run.insert(run.end(), w.SegmentX.get(), w.SegmentX.get() + w.SegmentCount);
            run.insert(run.end(), w.SegmentY.get(), w.SegmentY.get() + w.SegmentCount);
        }
    }
    EXPECT_EQ(runs[0], runs[1]);
}

// Without memory the build fails and leaves nothing behind, at whichever of
// its allocations memory runs out (the worm array, then two rings a worm).
TEST_F(WormsWalk, BuildFailsCleanlyWhenMemoryRunsOut)
{
    const int32_t count = 3, needed = 1 + 2 * count;
    for (int32_t failing = 1; failing <= needed; ++failing) {
        PlanFailure(FailurePoint::Memory, failing);
        EXPECT_FALSE(crowd.Build(count, 4)) << "allocation " << failing << " fails";
        EXPECT_EQ(crowd.Count(), 0);
        EXPECT_EQ(crowd.begin(), nullptr);
    }
    ClearFailurePlan();
    EXPECT_TRUE(crowd.Build(count, 4));
    EXPECT_EQ(FailurePointRequests(FailurePoint::Memory), needed);
    EXPECT_EQ(crowd.Count(), count);
}

TEST_F(WormsWalk, BuildRefusesCountsAndLengthsOutsideTheirBounds)
{
    const struct {
        int32_t count, length;
        bool built;
    } cases[] = {{0, 10, false},           {-1, 10, false}, {MaxWormsCnt + 1, 10, false},
                 {1, 0, false},            {1, MaxWormsLen + 1, false},
                 {MaxWormsCnt, MaxWormsLen, true}, {1, 1, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(crowd.Build(c.count, c.length), c.built) << c.count << " x " << c.length;
        EXPECT_EQ(crowd.Count(), c.built ? c.count : 0);
    }
    crowd.Free();
    EXPECT_EQ(crowd.Count(), 0);
    crowd.Free();  // freeing twice is harmless
}

} // namespace
