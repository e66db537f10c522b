#include "failure_points.h"

#include <cstdlib>

namespace {

// The one plan of the process. Only tests set it; the programs only read
// it, from their one thread.
struct FailurePlan {
    int32_t Requests[FailurePointCount] = {};
    int32_t FailAt[FailurePointCount] = {};
    bool Lasting[FailurePointCount] = {};
};
FailurePlan Plan;
int64_t LiveBlocks = 0;

int32_t Index(FailurePoint point) { return static_cast<int32_t>(point); }

} // namespace

bool InjectedFailure(FailurePoint point)
{
    const int32_t i = Index(point);
    const int32_t n = ++Plan.Requests[i];
    const int32_t at = Plan.FailAt[i];
    return at > 0 && (n == at || (Plan.Lasting[i] && n > at));
}

void PlanFailure(FailurePoint point, int32_t nth, bool lasting)
{
    const int32_t i = Index(point);
    Plan.FailAt[i] = nth;
    Plan.Lasting[i] = lasting;
    for (int32_t& r : Plan.Requests) r = 0;
}

void ClearFailurePlan() { Plan = FailurePlan{}; }

int32_t FailurePointRequests(FailurePoint point) { return Plan.Requests[Index(point)]; }

void* AllocateMemory(size_t size)
{
    if (InjectedFailure(FailurePoint::Memory)) return nullptr;
    void* block = std::malloc(size);
    if (block) ++LiveBlocks;
    return block;
}

void FreeMemory(void* block)
{
    if (!block) return;
    --LiveBlocks;
    std::free(block);
}

int64_t LiveMemoryBlocks() { return LiveBlocks; }
