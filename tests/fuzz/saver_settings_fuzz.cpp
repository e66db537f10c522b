// Orbel's and Worms' settings from any stored numbers, and what the savers
// build from them: the bounds their schemas give, then Orbel's points
// (laid out, stepped, their drawn side) and Worms' crowd (built, crawling
// a few ticks with nothing drawn).
//
// Sizes are any 32-bit numbers, far beyond what a system reports.
// The work of one input is kept small: the validation and the allocation
// see the stored numbers, but Orbel steps only its first MaxSteppedPoints
// points and Worms builds at most MaxBuiltWorms worms.
//
// Input, little-endian (an input that ends early reads as zeros):
//   u32 the generator's seed
//   i32 Count; i32 screen width, screen height; i32 window width, height;
//   u8 Orbel's ticks
//   i32 Type, i32 WormsCnt, i32 WormsLen; i32 crawl width, height;
//   u8 Worms' ticks; u8 the allocation that fails (0: none)
#include <cstdint>
#include <memory>

#include "failure_points.h"
#include "fuzz_input.h"
#include "orbel_sim.h"
#include "orbel_table.h"
#include "random.h"
#include "worms_table.h"
#include "worms_walk.h"

namespace {

constexpr int32_t MaxSteppedPoints = 48;
constexpr int32_t MaxOrbelTicks = 16;
constexpr int32_t MaxBuiltWorms = 32;
constexpr int32_t MaxWormsTicks = 64;

int32_t Size(FuzzInput& in) { return in.I32(); }

bool InBand(int32_t v) { return v >= -PositionLimit && v <= PositionLimit; }

void RunOrbel(FuzzInput& in)
{
    const int32_t count = BoundedValue(OrbelTable.Settings[OrbelCount], in.I32());
    FUZZ_CHECK(count >= 1 && count <= MaxCount);
    const int32_t screenWidth = Size(in), screenHeight = Size(in);
    const int32_t windowWidth = Size(in), windowHeight = Size(in);
    const int32_t ticks = in.U8() % (MaxOrbelTicks + 1);

    const std::unique_ptr<MassPoint[]> owned = AllocatePoints(count);
    FUZZ_CHECK(owned != nullptr);
    MassPoint* const points = owned.get();
    BuildPoints(points, count, screenWidth, screenHeight);
    for (int32_t i = 0; i < count; ++i) FUZZ_CHECK(InBand(points[i].X) && InBand(points[i].Y) && points[i].Z == 0);

    // The side never shrinks below the one asked for.
    const int32_t side = ScaledPointSize(2, screenWidth, screenHeight, windowWidth, windowHeight);
    FUZZ_CHECK(side >= 2);

    const int32_t stepped = count < MaxSteppedPoints ? count : MaxSteppedPoints;
    for (int32_t tick = 0; tick < ticks; ++tick) {
        StepPoints(points, stepped);
        for (int32_t i = 0; i < stepped; ++i) {
            const MassPoint& p = points[i];
            FUZZ_CHECK(InBand(p.X) && InBand(p.Y) && InBand(p.Z));
            // The square DrawFrame draws, in the same 32-bit arithmetic.
            const int32_t right = p.X + side, bottom = p.Y + side;
            FUZZ_CHECK(right > p.X && bottom > p.Y);
        }
    }
}

void RunWorms(FuzzInput& in)
{
    const SettingSpec* schema = WormsTable.Settings;
    const int32_t type = BoundedValue(schema[WormsType], in.I32());
    FUZZ_CHECK(type == TrailClear || type == TrailNone || type == TrailSmear);
    const int32_t stored = BoundedValue(schema[WormsCount], in.I32());
    FUZZ_CHECK(stored >= 1 && stored <= MaxWormsCnt);
    const int32_t length = BoundedValue(schema[WormsLength], in.I32());
    FUZZ_CHECK(length >= 1 && length <= MaxWormsLen);
    const CrawlArea area{Size(in), Size(in)};
    const int32_t ticks = in.U8() % (MaxWormsTicks + 1);
    const uint8_t allocations = in.U8();

    const int32_t count = stored < MaxBuiltWorms ? stored : MaxBuiltWorms;
    PlanFailure(FailurePoint::Memory, allocations);
    WormCrowd crowd;
    const bool built = crowd.Build(count, length);
    ClearFailurePlan();
    if (!built) {
        // Only memory running out fails a build, and it leaves the crowd empty.
        FUZZ_CHECK(allocations != 0);
        FUZZ_CHECK(crowd.Count() == 0);
        return;
    }
    FUZZ_CHECK(crowd.Count() == count);
    for (const Worm& w : crowd) FUZZ_CHECK(w.SegmentCount == length && w.SegmentSize >= 5 && w.SegmentSize <= 15);

    NoPainter painter;
    for (int32_t tick = 0; tick < ticks; ++tick) {
        CrawlTick(crowd, type, area, painter);
        for (const Worm& w : crowd) {
            FUZZ_CHECK(w.HeadIndex >= 0 && w.HeadIndex < w.SegmentCount);
            FUZZ_CHECK(w.Colour <= 0xFFFFFF);
            const int32_t x = w.SegmentX[w.HeadIndex], y = w.SegmentY[w.HeadIndex];
            if (area.Width >= 0) FUZZ_CHECK(x >= 0 && x <= area.Width);
            if (area.Height >= 0) FUZZ_CHECK(y >= 0 && y <= area.Height);
        }
    }
    crowd.Free();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    SeedRandom(in.U32());
    RunOrbel(in);
    RunWorms(in);
    return 0;
}
