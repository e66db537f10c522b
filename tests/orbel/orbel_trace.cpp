// Prints where Orbel's points are after some ticks from the opening every
// run starts from: positions and the exact bits of every velocity. Built in
// both Windows presets; the test compares the two programs' output, so the
// 32-bit and the 64-bit build must compute the same motion bit for bit.
//
//   orbel_trace.exe [COUNT [TICKS]]
#include "orbel_sim.h"

#include "random.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

uint64_t Bits(double v)
{
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

} // namespace

int main(int argc, char** argv)
{
    const int32_t count = argc > 1 ? std::atoi(argv[1]) : DefaultCount;
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 400;
    if (count < 1 || count > MaxCount) return 2;
    std::vector<MassPoint> points(static_cast<size_t>(count));
    SeedRandom(1);
    BuildPoints(points.data(), count, 1024, 768);
    for (int t = 0; t < ticks; ++t) StepPoints(points.data(), count);
    for (const MassPoint& p : points)
        std::printf("%" PRId32 " %" PRId32 " %" PRId32 " %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", p.X, p.Y,
                    p.Z, Bits(p.VelocityX), Bits(p.VelocityY), Bits(p.VelocityZ));
    return 0;
}
