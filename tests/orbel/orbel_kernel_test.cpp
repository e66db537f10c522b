// Every vector kernel against the reference loop, bit for bit, after every
// one of 1,000 ticks, on layouts chosen for what the vector code must get
// right: the cut-off inside clumps, points on top of each other, signed
// zeros, pairs too far apart for a plain double sum, unequal masses, depth.
// Layouts in the plane with equal masses take the kernels' shorter path.
#include "orbel_kernel.h"

#include "random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using Points = std::vector<MassPoint>;

constexpr int32_t L = PositionLimit;

// 0..n-1 from two draws of the shell's generator (n up to 2^30).
int32_t Below(int32_t n)
{
    const uint32_t r = static_cast<uint32_t>(RandomDraw()) << 15 | static_cast<uint32_t>(RandomDraw());
    return static_cast<int32_t>(r % static_cast<uint32_t>(n));
}

int32_t Between(int32_t lo, int32_t hi) { return lo + Below(hi - lo + 1); }

MassPoint At(int32_t x, int32_t y, int32_t z = 0, double mass = PointMass)
{
    MassPoint p{};
    p.Mass = mass;
    p.X = x;
    p.Y = y;
    p.Z = z;
    return p;
}

Points Opening()
{
    Points pts(203);
    BuildPoints(pts.data(), static_cast<int32_t>(pts.size()), 1024, 768);
    return pts;
}

// Six clumps 40 units across, so every pair inside one ignores the other,
// and two chains whose neighbours start just at the cut-off (squared
// distances 4000) and just beyond it (4001).
Points Clumps()
{
    Points pts;
    for (int c = 0; c < 6; ++c) {
        const int32_t cx = Between(100, 900), cy = Between(100, 700);
        for (int k = 0; k < 25; ++k) pts.push_back(At(cx + Between(-20, 20), cy + Between(-20, 20)));
    }
    for (int32_t k = 0; k < 6; ++k) pts.push_back(At(-2000 + 60 * k, 20 * k));
    for (int32_t k = 0; k < 5; ++k) pts.push_back(At(2000 + 40 * k, 49 * k));
    return pts;
}

// Stacks of four on one spot, at rest with negative zero velocities, which
// the pulls turn positive or, inside a stack, leave as they are.
Points Stacks()
{
    Points pts;
    for (int s = 0; s < 30; ++s) {
        const MassPoint p = At(Between(100, 900), Between(100, 700));
        for (int k = 0; k < 4; ++k) pts.push_back(p);
    }
    for (MassPoint& p : pts) p.VelocityX = p.VelocityY = p.VelocityZ = -0.0;
    return pts;
}

// A clump alone, every pair inside the cut-off, at rest with negative zero
// velocities: nothing may change, not even a sign. With VelocityZ +0 it is
// a plain layout, with -0 not.
Points LoneClump(double velocityZ)
{
    Points pts;
    for (int k = 0; k < 41; ++k) {
        MassPoint p = At(Between(480, 520), Between(360, 400));
        p.VelocityX = p.VelocityY = -0.0;
        p.VelocityZ = velocityZ;
        pts.push_back(p);
    }
    return pts;
}

Points LoneClumpInThePlane() { return LoneClump(0.0); }
Points LoneClumpInDepth() { return LoneClump(-0.0); }

// Whether a plain double sum of the squares rounds differently from the
// exact squared distance.
bool RoundingTrap(const MassPoint& a, const MassPoint& b)
{
    const int64_t dx = int64_t{b.X} - a.X, dy = int64_t{b.Y} - a.Y, dz = int64_t{b.Z} - a.Z;
    const double fx = double(dx), fy = double(dy), fz = double(dz);
    return fx * fx + fy * fy + fz * fz != static_cast<double>(dx * dx + dy * dy + dz * dz);
}

// Points over the whole band in three dimensions, the corners among them,
// and a few near the screen: most squared distances are above 2^53.
Points FarFlung()
{
    Points pts;
    const int32_t corners[][3] = {{L, L, L}, {-L, -L, -L}, {L, -L, 0}, {-L, L, L}, {L - 1, -L + 1, -L}};
    for (const auto& c : corners) pts.push_back(At(c[0], c[1], c[2]));
    for (int k = 0; k < 56; ++k) pts.push_back(At(Between(-L, L), Between(-L, L), Between(-L, L)));
    for (int k = 0; k < 20; ++k) pts.push_back(At(Between(300, 700), Between(300, 500)));
    return pts;
}

// A clump at one end of the band and one point at the other, along one
// axis. Such pairs rarely round differently, and a far pull is lost among
// larger ones; here each point of the clump feels the far one alone, and
// each such pair is a rounding trap.
Points FarTraps(bool alongY)
{
    Points pts;
    const MassPoint far = alongY ? At(500, L) : At(L, 400);
    while (pts.size() < 30) {
        const MassPoint p =
            alongY ? At(Between(480, 520), Between(-L, -L + 40)) : At(Between(-L, -L + 40), Between(380, 420));
        if (RoundingTrap(p, far)) pts.push_back(p);
    }
    pts.push_back(far);
    return pts;
}

Points FarTrapsAlongX() { return FarTraps(false); }
Points FarTrapsAlongY() { return FarTraps(true); }

// Unequal masses and a moving start; in depth, some velocities negative
// zero.
Points Mixed(bool depth)
{
    const double masses[] = {PointMass, 50.0, 0.25, 1e4};
    Points pts;
    for (int k = 0; k < 97; ++k) {
        MassPoint p = At(Between(0, 1024), Between(0, 768), depth ? Between(-500, 500) : 0, masses[k % 4]);
        p.VelocityX = Between(-300, 300) / 100.0;
        p.VelocityY = Between(-300, 300) / 100.0;
        if (depth) {
            if (k % 3 == 0) p.VelocityY = -0.0;
            p.VelocityZ = k % 5 ? Between(-100, 100) / 100.0 : -0.0;
        }
        pts.push_back(p);
    }
    return pts;
}

// Infinite masses: every product with a zero difference is NaN, depth too.
Points Infinite()
{
    Points pts;
    for (int k = 0; k < 21; ++k) pts.push_back(At(Between(0, 1024), Between(0, 768), 0, HUGE_VAL));
    return pts;
}

Points MixedInThePlane() { return Mixed(false); }
Points MixedInDepth() { return Mixed(true); }

struct PairCensus {
    int Close = 0;         // inside the cut-off
    int AtCutOff = 0;      // squared distance 4000 or 4001
    int RoundingTraps = 0; // a plain double sum of squares rounds differently
};

PairCensus Census(const Points& pts)
{
    PairCensus n;
    for (size_t i = 0; i < pts.size(); ++i)
        for (size_t j = i + 1; j < pts.size(); ++j) {
            const int64_t dx = int64_t{pts[j].X} - pts[i].X, dy = int64_t{pts[j].Y} - pts[i].Y,
                          dz = int64_t{pts[j].Z} - pts[i].Z;
            const int64_t d2 = dx * dx + dy * dy + dz * dz;
            n.Close += d2 <= CutOffSquared;
            n.AtCutOff += d2 == CutOffSquared || d2 == CutOffSquared + 1;
            n.RoundingTraps += RoundingTrap(pts[i], pts[j]);
        }
    return n;
}

uint64_t Bits(double v)
{
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

bool SameBits(const MassPoint& a, const MassPoint& b)
{
    return a.X == b.X && a.Y == b.Y && a.Z == b.Z && Bits(a.VelocityX) == Bits(b.VelocityX) &&
           Bits(a.VelocityY) == Bits(b.VelocityY) && Bits(a.VelocityZ) == Bits(b.VelocityZ) &&
           Bits(a.Mass) == Bits(b.Mass);
}

// The first point where two states differ, or -1.
int FirstDifference(const Points& a, const Points& b)
{
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i], b[i])) return static_cast<int>(i);
    return -1;
}

void Step(StepKernel k, Points& pts) { StepPointsWith(k, pts.data(), static_cast<int32_t>(pts.size())); }

} // namespace

TEST(OrbelKernels, MatchTheReferenceBitForBitEveryTick)
{
    struct Scene {
        const char* name;
        Points (*build)();
        int minClose, minAtCutOff, minTraps;
    };
    const Scene scenes[] = {
        {"opening layout", Opening, 300, 0, 0},
        {"clumps", Clumps, 1500, 9, 0},
        {"stacks", Stacks, 180, 0, 0},
        {"a lone clump in the plane", LoneClumpInThePlane, 820, 0, 0},
        {"a lone clump in depth", LoneClumpInDepth, 820, 0, 0},
        {"far-flung", FarFlung, 0, 0, 300},
        {"far traps along x", FarTrapsAlongX, 400, 0, 30},
        {"far traps along y", FarTrapsAlongY, 400, 0, 30},
        {"unequal masses in the plane", MixedInThePlane, 0, 0, 0},
        {"unequal masses in depth", MixedInDepth, 0, 0, 0},
        {"infinite masses", Infinite, 0, 0, 0},
    };
    std::vector<StepKernel> kernels;
    for (StepKernel k : {StepKernel::Sse2, StepKernel::Avx2})
        if (KernelRuns(k)) kernels.push_back(k);
    ASSERT_FALSE(kernels.empty()) << "every x86 CPU here has SSE2";

    for (const Scene& s : scenes) {
        SeedRandom(1);
        const Points start = s.build();
        const PairCensus census = Census(start);
        EXPECT_GE(census.Close, s.minClose) << s.name;
        EXPECT_GE(census.AtCutOff, s.minAtCutOff) << s.name;
        EXPECT_GE(census.RoundingTraps, s.minTraps) << s.name;

        Points ref = start;
        std::vector<Points> got(kernels.size(), start);
        for (int tick = 1; tick <= 1000; ++tick) {
            Step(StepKernel::Scalar, ref);
            for (size_t k = 0; k < kernels.size(); ++k) {
                if (got[k].empty()) continue;
                Step(kernels[k], got[k]);
                const int at = FirstDifference(ref, got[k]);
                if (at < 0) continue;
                ADD_FAILURE() << s.name << ": " << KernelName(kernels[k]) << " differs at tick " << tick
                              << ", point " << at;
                got[k].clear();
            }
        }
    }
}
