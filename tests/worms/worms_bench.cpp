// The walk's share of a tick (turn, step, wrap, colour), without drawing,
// per trail mode: the defaults (100 worms of 10) and 1000 worms.
#include "random.h"
#include "worms_walk.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WalkTick(benchmark::State& state)
{
    const int32_t type = static_cast<int32_t>(state.range(0));
    const int32_t count = static_cast<int32_t>(state.range(1));
    const int32_t length = static_cast<int32_t>(state.range(2));
    SeedRandom(1);
    WormCrowd crowd;
    if (!crowd.Build(count, length)) {
        state.SkipWithError("no memory for the worms");
        return;
    }
    NoPainter none;
    for (auto _ : state) {
        CrawlTick(crowd, type, CrawlArea{1024, 768}, none);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_Build(benchmark::State& state)
{
    const int32_t count = static_cast<int32_t>(state.range(0));
    const int32_t length = static_cast<int32_t>(state.range(1));
    WormCrowd crowd;
    for (auto _ : state) {
        SeedRandom(1);
        benchmark::DoNotOptimize(crowd.Build(count, length));
    }
}

} // namespace

BENCHMARK(BM_WalkTick)
    ->ArgNames({"type", "worms", "length"})
    ->ArgsProduct({{TrailClear, TrailNone, TrailSmear}, {100, 1000}, {10}})
    ->Args({TrailSmear, MaxWormsCnt, MaxWormsLen});
BENCHMARK(BM_Build)->ArgNames({"worms", "length"})->Args({100, 10})->Args({1000, 10})->Args(
    {MaxWormsCnt, MaxWormsLen});

BENCHMARK_MAIN();
