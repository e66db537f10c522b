// An allocator for the AllocateFn seams that grants a set number of
// allocations and then refuses some or all of the later ones, so that a
// test can let memory run out at each allocation in turn. One test at a
// time uses it.
#pragma once

#include <cstddef>
#include <cstdlib>

namespace failing_allocator {
inline int Granted = -1;  // negative: every allocation is granted
inline int Refused = -1;  // negative: every one after the granted ones fails
inline int Made = 0;
} // namespace failing_allocator

// From now on the first count allocations succeed, the refused ones after
// them fail (all of them when refused is negative) and any later ones
// succeed again. A negative count grants them all.
inline void GrantAllocations(int count, int refused = -1)
{
    failing_allocator::Granted = count;
    failing_allocator::Refused = refused;
    failing_allocator::Made = 0;
}

// Allocations asked for since GrantAllocations, granted or not.
inline int AllocationsMade() { return failing_allocator::Made; }

inline void* GrantedAllocate(size_t size)
{
    using namespace failing_allocator;
    const int n = Made++;
    const bool refused = Granted >= 0 && n >= Granted && (Refused < 0 || n < Granted + Refused);
    return refused ? nullptr : std::malloc(size);
}
