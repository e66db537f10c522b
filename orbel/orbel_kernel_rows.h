// What the vector kernels share: the tick's working copy of the points, one
// column per field, and the plain pair step they fall back to.
#pragma once

#include "orbel_sim.h"

#include <cstdint>

// Coordinates held as doubles, which they fit exactly, so that differences
// and squared distances come out of double arithmetic: exact for any two
// points in the band, and the squared distance exact while it stays below
// ExactSquaredLimit. Positions and masses are the tick's start; velocities
// change as the rows are summed.
struct PointColumns {
    const MassPoint* Points;  // the integer positions, for pairs too far apart
    double* X;
    double* Y;
    double* Z;
    double* Mass;
    double* VelocityX;
    double* VelocityY;
    double* VelocityZ;
};

// Point i's velocity while its row of pairs is summed.
struct RowVelocity {
    double X, Y, Z;
};

// 2^53: from here on a sum of squares in doubles may round differently from
// the exact 64-bit sum converted once, so such pairs take the integer path.
constexpr double ExactSquaredLimit = 9007199254740992.0;
constexpr double CutOff = static_cast<double>(CutOffSquared);

// Pair (i, j) as the reference does it: j's pull added to v, i's pull taken
// from j's velocity column.
void PullPair(const PointColumns& c, int32_t i, int32_t j, RowVelocity& v);

// Point i's row: the pairs (i, j) for j from i + 1 to count - 1, in order.
// plain: every Z is the same, every VelocityZ is +0, every mass is the same
// finite value, and the points span less than PlainSpan along x and along y.
// Each depth term of the tick is then a zero that leaves VelocityZ at +0
// and Z where it is, one quotient serves both points of a pair, and no
// squared distance reaches ExactSquaredLimit, so the kernel may skip the
// depth, the masses and the exact path. Orbel's points start so, in the
// plane at rest, and stay so unless one is flung some 67 million units off.
constexpr int64_t PlainSpan = int64_t{1} << 26;
using RowKernel = void (*)(const PointColumns& c, int32_t i, int32_t count, RowVelocity& v, bool plain);

// The vector kernels exist on x86 targets; the SSE2 one also where the
// compiler maps SSE2's intrinsics onto the target's own vectors (wasm SIMD,
// with -msse2). Everywhere else (ARM, plain wasm) the reference runs.
#if defined(__x86_64__) || defined(__i386__)
#define ZAMVEL_X86 1
#else
#define ZAMVEL_X86 0
#endif
#if ZAMVEL_X86 || defined(__SSE2__)
#define ZAMVEL_SSE2_KERNEL 1
void PullRowSse2(const PointColumns& c, int32_t i, int32_t count, RowVelocity& v, bool plain);
#else
#define ZAMVEL_SSE2_KERNEL 0
#endif
#if ZAMVEL_X86
void PullRowAvx2(const PointColumns& c, int32_t i, int32_t count, RowVelocity& v, bool plain);
#endif
