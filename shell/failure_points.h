// The places where the system can refuse the programs something: memory,
// a GDI object, a registry call. Every such request asks here first, so a
// test can make the n-th request of a kind fail and watch the program cope;
// outside the tests nothing is ever planned and every request goes through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

enum class FailurePoint : int32_t { Memory, GdiObject, Registry };
constexpr int32_t FailurePointCount = 3;

// Counts the request; true when the plan says this one fails.
bool InjectedFailure(FailurePoint point);

// Tests: from now on the nth request (1 for the next) at point fails, and
// every later one too when lasting; 0 plans no failure. The counts restart.
void PlanFailure(FailurePoint point, int32_t nth, bool lasting = false);
// No failure planned anywhere; the counts restart.
void ClearFailurePlan();
// The requests at point since the plan was last set or cleared.
int32_t FailurePointRequests(FailurePoint point);

// Memory through the plan: malloc's block, or null. Such a block goes back
// through FreeMemory (null is fine), so that a test can see every block
// come back: LiveMemoryBlocks counts those given out and not yet returned.
void* AllocateMemory(size_t size);
void FreeMemory(void* block);
int64_t LiveMemoryBlocks();

// A new object through the plan, or null.
template <class T, class... Args>
T* NewOrNull(Args&&... args)
{
    if (InjectedFailure(FailurePoint::Memory)) return nullptr;
    return new (std::nothrow) T(std::forward<Args>(args)...);
}

// A new array of count value-initialised objects through the plan, or null.
template <class T>
T* NewArrayOrNull(size_t count)
{
    if (InjectedFailure(FailurePoint::Memory)) return nullptr;
    return new (std::nothrow) T[count]();
}
