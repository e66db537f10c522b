// The cost of one Orbel tick's simulation at a few point counts, in pairs
// per second. The points evolve from the real opening layout as they do on
// screen.
#include "orbel_sim.h"

#include "random.h"

#include <benchmark/benchmark.h>

#include <vector>

static void BM_OrbelStep(benchmark::State& state)
{
    const int32_t count = static_cast<int32_t>(state.range(0));
    std::vector<MassPoint> points(static_cast<size_t>(count));
    SeedRandom(1);
    BuildPoints(points.data(), count, 1024, 768);
    for (auto _ : state) {
        StepPoints(points.data(), count);
        benchmark::ClobberMemory();
    }
    const double pairs = double(count) * (count - 1) / 2;
    state.counters["pairs/s"] = benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pairs"] = pairs;
}
BENCHMARK(BM_OrbelStep)->Arg(300)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
