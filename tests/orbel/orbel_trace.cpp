// Prints where Orbel's points are after some ticks from the opening every
// run starts from: positions and the exact bits of every velocity. Built in
// both Windows presets; the test compares the two programs' output, so the
// 32-bit and the 64-bit build, and every kernel in each, must compute the
// same motion bit for bit.
//
//   orbel_trace.exe [COUNT [TICKS [KERNEL]]]
//
// KERNEL is scalar, sse2 or avx2; without it the step is StepPoints' own
// choice. Exit code 3: this CPU lacks the kernel.
#include "orbel_kernel.h"

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

// The kernel named on the command line, or false.
bool NamedKernel(const char* name, StepKernel& k)
{
    for (StepKernel each : {StepKernel::Scalar, StepKernel::Sse2, StepKernel::Avx2}) {
        if (std::strcmp(name, KernelName(each)) != 0) continue;
        k = each;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const int32_t count = argc > 1 ? std::atoi(argv[1]) : DefaultCount;
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 400;
    if (count < 1 || count > MaxCount) return 2;
    StepKernel kernel = FastestKernel();
    if (argc > 3 && !NamedKernel(argv[3], kernel)) return 2;
    if (!KernelRuns(kernel)) return 3;
    std::vector<MassPoint> points(static_cast<size_t>(count));
    SeedRandom(1);
    BuildPoints(points.data(), count, 1024, 768);
    for (int t = 0; t < ticks; ++t) StepPointsWith(kernel, points.data(), count);
    for (const MassPoint& p : points)
        std::printf("%" PRId32 " %" PRId32 " %" PRId32 " %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", p.X, p.Y,
                    p.Z, Bits(p.VelocityX), Bits(p.VelocityY), Bits(p.VelocityZ));
    return 0;
}
