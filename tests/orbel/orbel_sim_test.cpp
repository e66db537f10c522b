#include "orbel_sim.h"

#include "random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace {

MassPoint At(int32_t x, int32_t y, int32_t z = 0, double vx = 0.0, double vy = 0.0)
{
    MassPoint p{};
    p.Mass = PointMass;
    p.X = x;
    p.Y = y;
    p.Z = z;
    p.VelocityX = vx;
    p.VelocityY = vy;
    return p;
}

// The velocity one point of 100 gives another along one axis in one tick.
double Pull(double d, double d2) { return d * PointMass / (std::sqrt(d2) * d2); }

void Step(std::vector<MassPoint>& points) { StepPoints(points.data(), static_cast<int32_t>(points.size())); }

std::vector<MassPoint> Layout(int32_t count)
{
    SeedRandom(1);
    std::vector<MassPoint> points(static_cast<size_t>(count));
    BuildPoints(points.data(), count, 1024, 768);
    return points;
}

bool SameState(const MassPoint& a, const MassPoint& b)
{
    return a.Mass == b.Mass && a.X == b.X && a.Y == b.Y && a.Z == b.Z && a.VelocityX == b.VelocityX &&
           a.VelocityY == b.VelocityY && a.VelocityZ == b.VelocityZ && a.DrawnX == b.DrawnX &&
           a.DrawnY == b.DrawnY;
}

} // namespace

TEST(OrbelStep, PairsAtTheCutOffIgnoreEachOther)
{
    struct Case {
        int32_t dx, dy;
        bool attracts;
    };
    const Case cases[] = {
        {60, 20, false},  // squared distance exactly 4000
        {40, 49, true},   // 4001
        {63, 0, false},   // 3969
        {64, 0, true},    // 4096
        {0, 0, false},    // on top of each other: no force, no division by zero
        {-49, -40, true}, // 4001 the other way round
    };
    for (const Case& c : cases) {
        std::vector<MassPoint> pts = {At(500, 400), At(500 + c.dx, 400 + c.dy)};
        Step(pts);
        const double d2 = double(c.dx) * c.dx + double(c.dy) * c.dy;
        const double ax = c.attracts ? Pull(c.dx, d2) : 0.0;
        const double ay = c.attracts ? Pull(c.dy, d2) : 0.0;
        SCOPED_TRACE(testing::Message() << "dx " << c.dx << " dy " << c.dy);
        // Equal masses: equal and opposite changes, towards each other.
        EXPECT_DOUBLE_EQ(pts[0].VelocityX, ax);
        EXPECT_DOUBLE_EQ(pts[0].VelocityY, ay);
        EXPECT_DOUBLE_EQ(pts[1].VelocityX, -ax);
        EXPECT_DOUBLE_EQ(pts[1].VelocityY, -ay);
        // Far below one unit: nobody moves yet.
        EXPECT_EQ(pts[0].X, 500);
        EXPECT_EQ(pts[1].X, 500 + c.dx);
    }
}

TEST(OrbelStep, PointsMoveByTheirVelocityTruncatedTowardZero)
{
    struct Case {
        double vx, vy;
        int32_t mx, my;
    };
    const Case cases[] = {
        {0.9, -0.9, 0, 0}, {1.5, -1.5, 1, -1}, {-0.99, 2.0, 0, 2}, {-2.7, 0.0, -2, 0}, {37.999, -37.001, 37, -37},
    };
    for (const Case& c : cases) {
        std::vector<MassPoint> pts = {At(100, 200, 0, c.vx, c.vy)};
        Step(pts);
        Step(pts);
        SCOPED_TRACE(testing::Message() << "velocity " << c.vx << ", " << c.vy);
        EXPECT_EQ(pts[0].X, 100 + 2 * c.mx);
        EXPECT_EQ(pts[0].Y, 200 + 2 * c.my);
        // The fraction is kept in the velocity, not carried into the position.
        EXPECT_EQ(pts[0].VelocityX, c.vx);
        EXPECT_EQ(pts[0].VelocityY, c.vy);
    }
}

TEST(OrbelStep, ASinglePointNeverMoves)
{
    std::vector<MassPoint> pts = Layout(1);
    const MassPoint before = pts[0];
    for (int i = 0; i < 50; ++i) Step(pts);
    EXPECT_TRUE(SameState(pts[0], before));
}

TEST(OrbelStep, EveryPullOfATickComesFromThePositionsAtItsStart)
{
    // Point 0 is fast and point 1 faster: both move during the tick, but the
    // pairs they take part in see where they started.
    std::vector<MassPoint> pts = {At(0, 0, 0, 100.0), At(1000, 0, 0, -500.0), At(2000, 0)};
    Step(pts);
    EXPECT_DOUBLE_EQ(pts[0].VelocityX, 100.0 + Pull(1000, 1e6) + Pull(2000, 4e6));
    EXPECT_DOUBLE_EQ(pts[1].VelocityX, -500.0 - Pull(1000, 1e6) + Pull(1000, 1e6));
    EXPECT_DOUBLE_EQ(pts[2].VelocityX, -Pull(2000, 4e6) - Pull(1000, 1e6));
    EXPECT_EQ(pts[0].X, 100);
    EXPECT_EQ(pts[1].X, 500);
    EXPECT_EQ(pts[2].X, 2000);
}

TEST(OrbelStep, TheMotionStaysInThePlane)
{
    std::vector<MassPoint> pts = Layout(300);
    const std::vector<MassPoint> start = pts;
    for (int i = 0; i < 60; ++i) Step(pts);
    int moved = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_EQ(pts[i].Z, 0);
        EXPECT_EQ(pts[i].VelocityZ, 0.0);
        if (pts[i].X != start[i].X || pts[i].Y != start[i].Y) ++moved;
    }
    EXPECT_GT(moved, 0) << "after three seconds the points have started to fall together";
}

TEST(OrbelLayout, FirstPointsFromTheGeneratorsFirstState)
{
    const std::vector<MassPoint> pts = Layout(3);
    // Draws 41, 18467 / 6334, 26500 / 19169, 15724 over the middle 80 %.
    const int32_t expected[3][2] = {{103, 423}, {260, 573}, {581, 371}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pts[i].X, expected[i][0]);
        EXPECT_EQ(pts[i].Y, expected[i][1]);
        EXPECT_EQ(pts[i].Z, 0);
        EXPECT_EQ(pts[i].Mass, 100.0);
        EXPECT_EQ(pts[i].VelocityX, 0.0);
        EXPECT_EQ(pts[i].VelocityY, 0.0);
        EXPECT_EQ(pts[i].VelocityZ, 0.0);
        EXPECT_EQ(pts[i].DrawnX, 0);
        EXPECT_EQ(pts[i].DrawnY, 0);
    }
    EXPECT_EQ(RandomDraw(), 11478) << "two draws per point, no more";
}

TEST(OrbelLayout, EveryPointStartsInTheMiddleOfTheScreen)
{
    const std::vector<MassPoint> pts = Layout(MaxCount);
    for (const MassPoint& p : pts) {
        EXPECT_GE(p.X, 102);
        EXPECT_LE(p.X, 921);
        EXPECT_GE(p.Y, 76);
        EXPECT_LE(p.Y, 691);
    }
}

TEST(OrbelLayout, TwoRunsShowTheSameOpening)
{
    std::vector<MassPoint> a = Layout(300), b = Layout(300);
    for (int i = 0; i < 20; ++i) {
        Step(a);
        Step(b);
    }
    for (size_t i = 0; i < a.size(); ++i) ASSERT_TRUE(SameState(a[i], b[i])) << "point " << i;
}

TEST(OrbelRange, FarPairsPullWithTheirTrueDistance)
{
    // Beyond 46,341 units the squared distance no longer fits 32 bits; it
    // must neither wrap into the cut-off nor turn the pull around.
    struct Case {
        int32_t x0, y0, z0, x1, y1, z1;
    };
    const int32_t L = PositionLimit;
    const Case cases[] = {
        {0, 0, 0, 46341, 0, 0},
        {-30000, 0, 0, 30000, 40000, 0},
        {0, 0, 0, 65536, 65536, 0},
        {-L, -L, -L, L, L, L},  // the band's opposite corners
        {L, -L, 0, -L, L, 0},
    };
    for (const Case& c : cases) {
        std::vector<MassPoint> pts = {At(c.x0, c.y0, c.z0), At(c.x1, c.y1, c.z1)};
        Step(pts);
        const double dx = double(c.x1) - c.x0, dy = double(c.y1) - c.y0, dz = double(c.z1) - c.z0;
        const double d2 = dx * dx + dy * dy + dz * dz;
        SCOPED_TRACE(testing::Message() << "from " << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1);
        EXPECT_DOUBLE_EQ(pts[0].VelocityX, Pull(dx, d2));
        EXPECT_DOUBLE_EQ(pts[0].VelocityY, Pull(dy, d2));
        EXPECT_DOUBLE_EQ(pts[1].VelocityX, -Pull(dx, d2));
        EXPECT_GT(pts[0].VelocityX * dx, 0.0) << "towards the other point";
    }
}

TEST(OrbelRange, PositionsRestAtTheEdgeOfTheBand)
{
    const int32_t L = PositionLimit;
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        int32_t position;
        double velocity;
        int32_t expected;
    };
    const Case cases[] = {
        {L - 1, 10.0, L},     {0, 1e300, L}, {0, -1e300, -L}, {-L, -5.0, -L},
        {L, -3.0, L - 3},     {0, inf, L},   {5, std::nan(""), 5}, {-7, 0.5, -7},
        {0, 4294967296.0, L}, // beyond any 32-bit integer
    };
    for (const Case& c : cases)
        EXPECT_EQ(MoveAlong(c.position, c.velocity), c.expected) << c.position << " + " << c.velocity;

    // A point flung outwards stays at the edge and keeps its velocity, so a
    // long pull back can still bring it home.
    std::vector<MassPoint> pts = {At(L - 1, -L + 1, 0, 1e12, -1e12)};
    Step(pts);
    EXPECT_EQ(pts[0].X, L);
    EXPECT_EQ(pts[0].Y, -L);
    EXPECT_EQ(pts[0].VelocityX, 1e12);
}

TEST(OrbelSettingsLogic, PointSizeScalesWithThePreview)
{
    struct Case {
        int32_t screenW, screenH, windowW, windowH, expected;
    };
    const Case cases[] = {
        {1024, 768, 1024, 768, 2},  // Run: the window is the screen
        {1024, 768, 152, 112, 14},  // the classic preview: 6.7 and 6.9 rounded up
        {1024, 768, 512, 384, 4},   // an exact half: one pixel, as in Run
        {1920, 1080, 152, 112, 26}, // 12.6 across decides
        {1280, 1024, 152, 112, 20}, // 9.1 down decides
        {1024, 768, 0, 0, 2},       // no size: no division, the side stays
        {1024, 768, 0, 112, 14},
        {1024, 768, -8, -8, 2},
        {1024, 768, 2048, 1536, 2}, // larger than the screen: never below the side
    };
    for (const Case& c : cases) {
        const int32_t side = ScaledPointSize(2, c.screenW, c.screenH, c.windowW, c.windowH);
        EXPECT_EQ(side, c.expected) << c.screenW << "x" << c.screenH << " onto " << c.windowW << "x" << c.windowH;
        // The shrunken square spans two pixels or more each way.
        if (c.windowW > 0 && c.windowH > 0) {
            EXPECT_GE(double(side) * c.windowW / c.screenW, 2.0 - 1e-9);
            EXPECT_GE(double(side) * c.windowH / c.screenH, 2.0 - 1e-9);
        }
    }
}

TEST(OrbelSettingsLogic, PointsAreAllocatedOnlyForAValidCount)
{
    EXPECT_EQ(AllocatePoints(0), nullptr);
    EXPECT_EQ(AllocatePoints(-1), nullptr);
    EXPECT_EQ(AllocatePoints(MaxCount + 1), nullptr);
    const std::unique_ptr<MassPoint[]> all = AllocatePoints(MaxCount);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all[MaxCount - 1].X, 0);
    EXPECT_EQ(all[MaxCount - 1].Mass, 0.0);
}
