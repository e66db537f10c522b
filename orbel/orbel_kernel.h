// The attraction step's kernels: the plain loop that defines the motion, and
// vector forms of it that give the same bits. StepPoints runs the fastest one
// this CPU has; tests and benchmarks name one.
#pragma once

#include "orbel_sim.h"

#include <cstdint>

enum class StepKernel {
    Scalar,  // the loop as written in StepPoints' comment: the reference
    Sse2,    // two pairs at a time; every x86 CPU that runs the programs has it
    Avx2,    // four pairs at a time, where the CPU and the system support it
};

// The fastest kernel this CPU runs. A few loads and tests, no state of its
// own: cheap enough to ask once a tick.
StepKernel FastestKernel();

// Whether this CPU (and the system, for AVX2's wide registers) runs k.
bool KernelRuns(StepKernel k);

// "scalar", "sse2", "avx2".
const char* KernelName(StepKernel k);

// One tick with kernel k. The vector kernels sum each point's pulls in the
// reference order, so every kernel leaves the same bits; where the CPU lacks
// k, or a vector kernel's working memory cannot be had, the reference runs.
void StepPointsWith(StepKernel k, MassPoint* points, int32_t count);

// The reference: pairs i < j in index order, exact 64-bit squared distances.
void StepPointsScalar(MassPoint* points, int32_t count);
