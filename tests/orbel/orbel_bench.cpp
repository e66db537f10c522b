// The cost of one Orbel tick's simulation, kernel by kernel, at a few point
// counts, in pairs per second. Every iteration steps the opening layout of a
// 1024 x 768 screen, so all kernels do the same work.
#include "orbel_kernel.h"

#include "random.h"

#include <benchmark/benchmark.h>

#include <vector>

static void BM_OrbelStep(benchmark::State& state, StepKernel kernel)
{
    if (!KernelRuns(kernel)) {
        state.SkipWithError("this CPU lacks the kernel's instructions");
        return;
    }
    const int32_t count = static_cast<int32_t>(state.range(0));
    std::vector<MassPoint> opening(static_cast<size_t>(count));
    SeedRandom(1);
    BuildPoints(opening.data(), count, 1024, 768);
    std::vector<MassPoint> points;
    for (auto _ : state) {
        points = opening;
        StepPointsWith(kernel, points.data(), count);
        benchmark::ClobberMemory();
    }
    const double pairs = double(count) * (count - 1) / 2;
    state.counters["pairs/s"] = benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}
// The default count and two larger ones.
static void PointCounts(benchmark::internal::Benchmark* b)
{
    b->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_OrbelStep, scalar, StepKernel::Scalar)->Apply(PointCounts);
BENCHMARK_CAPTURE(BM_OrbelStep, sse2, StepKernel::Sse2)->Apply(PointCounts);
BENCHMARK_CAPTURE(BM_OrbelStep, avx2, StepKernel::Avx2)->Apply(PointCounts);

BENCHMARK_MAIN();
