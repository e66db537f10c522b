// Choosing a kernel, and what the vector kernels have around their rows: the
// columns they work on, the moves after each row, the pairs they leave to
// plain code.
#include "orbel_kernel.h"

#include "failure_points.h"
#include "orbel_kernel_rows.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>

namespace {

RowKernel RowFor(StepKernel k)
{
    switch (k) {
#if ZAMVEL_SSE2_KERNEL
    case StepKernel::Sse2: return PullRowSse2;
#endif
#if ZAMVEL_X86
    case StepKernel::Avx2: return PullRowAvx2;
#endif
    default: break;
    }
    return nullptr;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// See RowKernel.
bool Plain(const MassPoint* points, int32_t count)
{
    const MassPoint& first = points[0];
    if (!std::isfinite(first.Mass)) return false;
    int32_t minX = first.X, maxX = first.X, minY = first.Y, maxY = first.Y;
    for (int32_t k = 0; k < count; ++k) {
        const MassPoint& p = points[k];
        if (p.Z != first.Z || !SameBits(p.VelocityZ, 0.0) || !SameBits(p.Mass, first.Mass)) return false;
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    return int64_t{maxX} - minX < PlainSpan && int64_t{maxY} - minY < PlainSpan;
}

// The tick with a vector row kernel, on columns copied from the points. Each
// point moves as soon as its row is summed, as in the reference; its column
// position is not read again in this tick. False, with nothing touched, when
// the columns' memory is not there.
bool StepByRows(RowKernel row, MassPoint* points, int32_t count)
{
    const size_t n = static_cast<size_t>(count);
    constexpr size_t Columns = 7;
    if (n > static_cast<size_t>(-1) / (Columns * sizeof(double))) return false;
    const std::unique_ptr<double[]> columns(NewArrayOrNull<double>(Columns * n));
    if (!columns) return false;
    double* const memory = columns.get();
    const PointColumns c{points,        memory,        memory + n,     memory + 2 * n,
                         memory + 3 * n, memory + 4 * n, memory + 5 * n, memory + 6 * n};
    for (size_t k = 0; k < n; ++k) {
        const MassPoint& p = points[k];
        c.X[k] = p.X;
        c.Y[k] = p.Y;
        c.Z[k] = p.Z;
        c.Mass[k] = p.Mass;
        c.VelocityX[k] = p.VelocityX;
        c.VelocityY[k] = p.VelocityY;
        c.VelocityZ[k] = p.VelocityZ;
    }
    const bool plain = Plain(points, count);
    for (int32_t i = 0; i < count; ++i) {
        RowVelocity v{c.VelocityX[i], c.VelocityY[i], c.VelocityZ[i]};
        row(c, i, count, v, plain);
        MassPoint& p = points[i];
        p.VelocityX = v.X;
        p.VelocityY = v.Y;
        p.VelocityZ = v.Z;
        p.X = MoveAlong(p.X, v.X);
        p.Y = MoveAlong(p.Y, v.Y);
        p.Z = MoveAlong(p.Z, v.Z);
    }
    return true;
}

// The exact squared distance of two points anywhere in the band, rounded to
// double once, as the reference does.
double WideSquaredDistance(const MassPoint& a, const MassPoint& b)
{
    const int64_t dx = int64_t{b.X} - a.X;
    const int64_t dy = int64_t{b.Y} - a.Y;
    const int64_t dz = int64_t{b.Z} - a.Z;
    return static_cast<double>(dx * dx + dy * dy + dz * dz);
}

} // namespace

bool KernelRuns(StepKernel k)
{
#if ZAMVEL_X86
    // Idempotent: fills the CPU's feature bits unless start-up already has.
    __builtin_cpu_init();
    switch (k) {
    case StepKernel::Scalar: return true;
    case StepKernel::Sse2: return __builtin_cpu_supports("sse2");
    // Also checks that the system saves the wide registers.
    case StepKernel::Avx2: return __builtin_cpu_supports("avx2");
    }
    return false;
#else
    // Elsewhere no CPU to ask: the reference, and the SSE2 kernel where the
    // compiler builds it for the target's vectors (the web's wasm SIMD).
    return k == StepKernel::Scalar || (ZAMVEL_SSE2_KERNEL && k == StepKernel::Sse2);
#endif
}

StepKernel FastestKernel()
{
    if (KernelRuns(StepKernel::Avx2)) return StepKernel::Avx2;
    if (KernelRuns(StepKernel::Sse2)) return StepKernel::Sse2;
    return StepKernel::Scalar;
}

const char* KernelName(StepKernel k)
{
    switch (k) {
    case StepKernel::Scalar: return "scalar";
    case StepKernel::Sse2: return "sse2";
    case StepKernel::Avx2: return "avx2";
    }
    return "";
}

void StepPointsWith(StepKernel k, MassPoint* points, int32_t count)
{
    const RowKernel row = KernelRuns(k) ? RowFor(k) : nullptr;
    if (row && count > 0 && StepByRows(row, points, count)) return;
    StepPointsScalar(points, count);
}

void PullPair(const PointColumns& c, int32_t i, int32_t j, RowVelocity& v)
{
    const double dx = c.X[j] - c.X[i];
    const double dy = c.Y[j] - c.Y[i];
    const double dz = c.Z[j] - c.Z[i];
    double d2 = dx * dx + dy * dy + dz * dz;
    if (d2 >= ExactSquaredLimit) d2 = WideSquaredDistance(c.Points[i], c.Points[j]);
    if (d2 <= CutOff) return;
    const double r3 = std::sqrt(d2) * d2;
    const double a = c.Mass[j] / r3;
    v.X += dx * a;
    v.Y += dy * a;
    v.Z += dz * a;
    const double b = c.Mass[i] / r3;
    c.VelocityX[j] -= dx * b;
    c.VelocityY[j] -= dy * b;
    c.VelocityZ[j] -= dz * b;
}
