// Glyra's trail arithmetic, natively: trail points, steps, wrap, the
// start of an entry and the draws it makes.
#include "glyra_trail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "failure_points.h"
#include "random.h"

namespace {

constexpr int32_t ScreenW = 1024;
constexpr int32_t ScreenH = 768;

// An entry of the given text built with the given speed.
struct Entry {
    Entry(const std::u16string& s, int32_t speed)
    {
        entry.Text.reset(new TextChar[s.size() + 1]());
        for (size_t i = 0; i < s.size(); ++i) entry.Text[i] = s[i];
        entry.Length = static_cast<int32_t>(s.size());
        ok = BuildCrawlTrail(entry, speed);
    }
    CrawlTrail& S() { return TrailOf(entry); }
    TextEntry entry;
    bool ok = false;
};

// Widths by character: 'W' wide, 'i' narrow, anything else 10.
int32_t FakeWidth(const TextChar* c, void*)
{
    if (*c == u'W') return 40;
    if (*c == u'i') return 4;
    return 10;
}

// The entry started at (x, y) with a fresh widest width.
void Start(Entry& e, int32_t x, int32_t y)
{
    double widest = 0;
    StartEntry(e.entry, x, y, widest, FakeWidth, nullptr);
}

// Straight ahead: no turn, so the path is known.
void Straight(CrawlTrail& s, double degrees, int32_t step)
{
    s.Direction = degrees * DegreePi / 180;
    s.TurnLimit = 0;
    s.StepLength = step;
}

TEST(GlyraEntry, TrailSizedByLengthAndSpeed)
{
    const struct {
        int32_t Speed, Spacing;
    } cases[] = {{1, 1}, {3, 3}, {5, 5}, {0, 1}, {-4, 1}, {9, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Speed);
        Entry e(u"ABCD", c.Speed);
        ASSERT_TRUE(e.ok);
        EXPECT_EQ(e.S().Spacing, c.Spacing);
        EXPECT_EQ(e.S().TrailLength, 4 * c.Spacing);
    }
}

// A failed allocation keeps nothing (the sanitizer sees any leak).
TEST(GlyraEntry, FailedAllocationKeepsNothing)
{
    for (int granted : {0, 1}) {
        PlanFailure(FailurePoint::Memory, granted + 1, true);
        Entry e(u"AB", 3);
        ClearFailurePlan();
        EXPECT_FALSE(e.ok);
        EXPECT_EQ(e.entry.State, nullptr);
    }
}

TEST(GlyraStep, WidestWidthOverSpeedNeverBelowThree)
{
    const struct {
        double Widest;
        int32_t Spacing, Step;
    } cases[] = {
        {30, 1, 30},  // Speed 1: the full width
        {30, 5, 6},   // Speed 5: a fifth
        {31, 3, 10},  // truncated
        {34, 5, 6},
        {10, 5, 3},   // 2 is raised to 3
        {14, 5, 3},
        {3, 1, 3},
        {2, 1, 3},
        {0, 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Widest) + " / " + std::to_string(c.Spacing));
        EXPECT_EQ(StepLengthFor(c.Widest, c.Spacing), c.Step);
    }
}

// The widest width carries from entry to entry: a narrow string after a
// wide one steps like the wide one; a wide one after a narrow one keeps
// its own larger step.
TEST(GlyraStep, RunningMaximumCarriesAcrossEntries)
{
    const struct {
        std::u16string First, Second;
        int32_t Speed, FirstStep, SecondStep;
    } cases[] = {
        {u"WWW", u"iii", 1, 40, 40},
        {u"iii", u"WWW", 1, 4, 40},
        {u"WiW", u"ii", 2, 20, 20},
        {u"ii", u"iW", 5, 3, 8},
        {u"ii", u"ii", 1, 4, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.First.begin(), c.First.end()) + " then " +
                     std::string(c.Second.begin(), c.Second.end()));
        Entry a(c.First, c.Speed), b(c.Second, c.Speed);
        double widest = 0;
        StartEntry(a.entry, 100, 100, widest, FakeWidth, nullptr);
        StartEntry(b.entry, 100, 100, widest, FakeWidth, nullptr);
        EXPECT_EQ(a.S().StepLength, c.FirstStep);
        EXPECT_EQ(b.S().StepLength, c.SecondStep);
    }
}

TEST(GlyraStart, EveryPointAndCharacterAtTheStart)
{
    Entry e(u"Hello", 3);
    Start(e, 76, 56);
    for (int32_t k = 0; k < e.S().TrailLength; ++k) {
        EXPECT_EQ(e.S().TrailX[k], 76);
        EXPECT_EQ(e.S().TrailY[k], 56);
    }
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(e.S().CharX[i], 76);
        EXPECT_EQ(e.S().CharY[i], 56);
    }
}

// Colour red, green, blue, then heading, then turn limit: five draws in
// this order, each channel 135 + RandomInt(120).
TEST(GlyraStart, DrawsColourHeadingAndTurnLimitInOrder)
{
    for (uint32_t seed : {1u, 7u, 2024u, 99991u}) {
        SCOPED_TRACE(seed);
        SeedRandom(seed);
        int r[5];
        for (int& d : r) d = RandomDraw();
        const auto scaled = [](int d, int n) { return static_cast<int32_t>(d / 32767.0 * n); };

        Entry e(u"ab", 2);
        SeedRandom(seed);
        Start(e, 0, 0);
        const uint32_t colour = e.S().TextColour;
        EXPECT_EQ(colour & 0xFF, static_cast<uint32_t>(135 + scaled(r[0], 120)));
        EXPECT_EQ((colour >> 8) & 0xFF, static_cast<uint32_t>(135 + scaled(r[1], 120)));
        EXPECT_EQ(colour >> 16, static_cast<uint32_t>(135 + scaled(r[2], 120)));
        EXPECT_DOUBLE_EQ(e.S().Direction, scaled(r[3], 360) * 3.14159265 / 180);
        EXPECT_DOUBLE_EQ(e.S().TurnLimit, (scaled(r[4], 30) + 10) * 3.14159265 / 180);
    }
}

TEST(GlyraStart, ColoursLightAndTurnsBounded)
{
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        SeedRandom(seed);
        Entry e(u"x", 1);
        Start(e, 0, 0);
        const uint32_t c = e.S().TextColour;
        for (uint32_t channel : {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF}) {
            ASSERT_GE(channel, 135u) << seed;
            ASSERT_LE(channel, 255u) << seed;
        }
        ASSERT_EQ(c >> 24, 0u);
        ASSERT_GE(e.S().TurnLimit, 10 * DegreePi / 180 - 1e-12);
        ASSERT_LE(e.S().TurnLimit, 40 * DegreePi / 180 + 1e-12);
    }
}

// One tick's step: cos and sin of the heading times the step, each
// truncated toward zero; y grows downwards, so 90 degrees is down.
TEST(GlyraTick, StepsAlongTheHeadingTruncatingTowardZero)
{
    const struct {
        double Degrees;
        int32_t Step, Dx, Dy;
    } cases[] = {
        {0, 10, 10, 0}, {90, 10, 0, 10}, {180, 10, -10, 0}, {270, 10, 0, -10},
        {135, 10, -7, 7},   // -7.07 goes to -7, not -8
        {225, 10, -7, -7}, {30, 9, 7, 4}, {-60, 9, 4, -7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Degrees);
        Entry e(u"A", 1);
        Start(e, 500, 400);
        Straight(e.S(), c.Degrees, c.Step);
        AdvanceLeader(e.S(), ScreenW, ScreenH);
        EXPECT_EQ(e.S().TrailX[0], 500 + c.Dx);
        EXPECT_EQ(e.S().TrailY[0], 400 + c.Dy);
    }
}

TEST(GlyraTick, TurnStaysWithinTheLimit)
{
    Entry e(u"A", 1);
    SeedRandom(5);
    Start(e, 500, 400);
    const double limit = e.S().TurnLimit;
    double before = e.S().Direction;
    for (int tick = 0; tick < 2000; ++tick) {
        AdvanceLeader(e.S(), ScreenW, ScreenH);
        ASSERT_LE(std::fabs(e.S().Direction - before), limit + 1e-12);
        before = e.S().Direction;
    }
}

// Character i is drawn at trail point i * Speed: where the leader was
// i * Speed ticks ago, and at the start point until it has been that long.
TEST(GlyraTick, CharacterIFollowsIBySpeedTicksBehind)
{
    for (int32_t speed = 1; speed <= 5; ++speed) {
        SCOPED_TRACE(speed);
        SeedRandom(static_cast<uint32_t>(speed));
        Entry e(u"Snake", speed);
        Start(e, 300, 200);
        std::vector<std::pair<int32_t, int32_t>> leader{{300, 200}};  // after tick t
        for (int tick = 1; tick <= 5 * speed + 7; ++tick) {
            AdvanceLeader(e.S(), ScreenW, ScreenH);
            MoveCharacters(e.entry);
            leader.emplace_back(e.S().TrailX[0], e.S().TrailY[0]);
            for (int32_t i = 0; i < 5; ++i) {
                const int when = tick - i * speed;
                const auto want = leader[static_cast<size_t>(when < 0 ? 0 : when)];
                ASSERT_EQ(e.S().CharX[i], want.first) << "tick " << tick << ", character " << i;
                ASSERT_EQ(e.S().CharY[i], want.second) << "tick " << tick << ", character " << i;
            }
        }
    }
}

// The leader jumps to the opposite edge, and each following character
// makes the same jump when it reaches that point of the track.
TEST(GlyraTick, FollowersMakeTheLeadersJump)
{
    Entry e(u"ABC", 2);
    Start(e, 5, 100);
    Straight(e.S(), 180, 10);  // leftwards
    std::vector<int32_t> xs;
    for (int tick = 0; tick < 6; ++tick) {
        AdvanceLeader(e.S(), ScreenW, ScreenH);
        MoveCharacters(e.entry);
        xs.push_back(e.S().CharX[2]);
    }
    EXPECT_EQ(e.S().TrailX[0], ScreenW - 50);
    // Character 2 runs four ticks behind: the start, then 1024 (the jump from
    // -5), then on leftwards.
    EXPECT_EQ(xs, (std::vector<int32_t>{5, 5, 5, 5, ScreenW, ScreenW - 10}));
}

// A one-character string has a trail of Speed points and only its leader.
TEST(GlyraTick, OneCharacterStringIsItsLeader)
{
    for (int32_t speed : {1, 3, 5}) {
        SCOPED_TRACE(speed);
        SeedRandom(11);
        Entry e(u"X", speed);
        ASSERT_EQ(e.S().TrailLength, speed);
        Start(e, 200, 200);
        for (int tick = 0; tick < 20; ++tick) {
            AdvanceLeader(e.S(), ScreenW, ScreenH);
            MoveCharacters(e.entry);
            ASSERT_EQ(e.S().CharX[0], e.S().TrailX[0]);
            ASSERT_EQ(e.S().CharY[0], e.S().TrailY[0]);
        }
    }
}

} // namespace
