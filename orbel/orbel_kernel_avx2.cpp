// The row kernel four pairs at a time. Each pair's pulls are the reference's
// operations on the same values, so they round the same; i's pulls are then
// applied one at a time in pair order, and each j's velocity changes once per
// row, so every sum keeps the reference order. Only the functions marked for
// it use the wide instructions, and they run only where KernelRuns says so.
#include "orbel_kernel_rows.h"

#if ZAMVEL_X86

#include <immintrin.h>

namespace {

// A pull as it is taken from a velocity, or +0 for a pair inside the
// cut-off: v - (+0) is v bit for bit, a negative zero included.
__attribute__((target("avx2"))) inline __m256d Taken(__m256d pull, __m256d close)
{
    return _mm256_andnot_pd(close, pull);
}

__attribute__((target("avx2"))) inline bool SameBits(__m256d a, __m256d b)
{
    const __m256i same = _mm256_cmpeq_epi64(_mm256_castpd_si256(a), _mm256_castpd_si256(b));
    return _mm256_movemask_pd(_mm256_castsi256_pd(same)) == 0xF;
}

// Plain: see RowKernel.
template <bool Plain>
__attribute__((target("avx2"))) void PullRow(const PointColumns& c, int32_t i, int32_t count, RowVelocity& v)
{
    // The columns in locals: stores through the velocity columns could
    // otherwise alias them and force reloads.
    const double *const xs = c.X, *const ys = c.Y, *const zs = c.Z, *const ms = c.Mass;
    double *const vxs = c.VelocityX, *const vys = c.VelocityY, *const vzs = c.VelocityZ;
    const __m256d xi = _mm256_set1_pd(xs[i]), yi = _mm256_set1_pd(ys[i]), zi = _mm256_set1_pd(zs[i]);
    const __m256d mi = _mm256_set1_pd(ms[i]);
    const __m256d sign = _mm256_set1_pd(-0.0);
    // i's velocity, x and y side by side. v + p is v - (-p) bit for bit, so
    // i takes its pulls negated, as j does.
    __m128d vxy = _mm_set_pd(v.Y, v.X);
    double vz = v.Z;
    int32_t j = i + 1;
    for (; j + 4 <= count; j += 4) {
        const __m256d dx = _mm256_sub_pd(_mm256_loadu_pd(xs + j), xi);
        const __m256d dy = _mm256_sub_pd(_mm256_loadu_pd(ys + j), yi);
        const __m256d dz = Plain ? _mm256_setzero_pd() : _mm256_sub_pd(_mm256_loadu_pd(zs + j), zi);
        __m256d d2 = _mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy));
        if (!Plain) d2 = _mm256_add_pd(d2, _mm256_mul_pd(dz, dz));
        // Pairs this far apart (never in a plain tick) take the exact path.
        if (!Plain && _mm256_movemask_pd(_mm256_cmp_pd(d2, _mm256_set1_pd(ExactSquaredLimit), _CMP_GE_OQ))) {
            RowVelocity s{_mm_cvtsd_f64(vxy), _mm_cvtsd_f64(_mm_unpackhi_pd(vxy, vxy)), vz};
            for (int32_t k = j; k < j + 4; ++k) PullPair(c, i, k, s);
            vxy = _mm_set_pd(s.Y, s.X);
            vz = s.Z;
            continue;
        }
        const __m256d close = _mm256_cmp_pd(d2, _mm256_set1_pd(CutOff), _CMP_LE_OQ);
        const __m256d r3 = _mm256_mul_pd(_mm256_sqrt_pd(d2), d2);
        const __m256d mj = Plain ? mi : _mm256_loadu_pd(ms + j);
        const __m256d a = _mm256_div_pd(mj, r3);
        // Masses equal bit for bit give equal quotients: one division saved.
        const __m256d b = Plain || SameBits(mj, mi) ? a : _mm256_div_pd(mi, r3);
        // What j loses (t), and what i gains negated (q): d * (-a), which
        // with equal masses is j's loss with its sign flipped.
        const __m256d na = _mm256_xor_pd(a, sign), flip = _mm256_andnot_pd(close, sign);
        const __m256d tx = Taken(_mm256_mul_pd(dx, b), close), ty = Taken(_mm256_mul_pd(dy, b), close);
        const __m256d qx = Plain ? _mm256_xor_pd(tx, flip) : Taken(_mm256_mul_pd(dx, na), close);
        const __m256d qy = Plain ? _mm256_xor_pd(ty, flip) : Taken(_mm256_mul_pd(dy, na), close);
        _mm256_storeu_pd(vxs + j, _mm256_sub_pd(_mm256_loadu_pd(vxs + j), tx));
        _mm256_storeu_pd(vys + j, _mm256_sub_pd(_mm256_loadu_pd(vys + j), ty));
        // Pairs 0 and 2 in lo, 1 and 3 in hi, each as (x, y).
        const __m256d lo = _mm256_unpacklo_pd(qx, qy), hi = _mm256_unpackhi_pd(qx, qy);
        vxy = _mm_sub_pd(vxy, _mm256_castpd256_pd128(lo));
        vxy = _mm_sub_pd(vxy, _mm256_castpd256_pd128(hi));
        vxy = _mm_sub_pd(vxy, _mm256_extractf128_pd(lo, 1));
        vxy = _mm_sub_pd(vxy, _mm256_extractf128_pd(hi, 1));
        if (Plain) continue;
        const __m256d qz = Taken(_mm256_mul_pd(dz, na), close);
        _mm256_storeu_pd(vzs + j, _mm256_sub_pd(_mm256_loadu_pd(vzs + j), Taken(_mm256_mul_pd(dz, b), close)));
        double z[4];
        _mm256_storeu_pd(z, qz);
        for (double q : z) vz -= q;
    }
    v = RowVelocity{_mm_cvtsd_f64(vxy), _mm_cvtsd_f64(_mm_unpackhi_pd(vxy, vxy)), vz};
    for (; j < count; ++j) PullPair(c, i, j, v);
}

} // namespace

void PullRowAvx2(const PointColumns& c, int32_t i, int32_t count, RowVelocity& v, bool plain)
{
    if (plain)
        PullRow<true>(c, i, count, v);
    else
        PullRow<false>(c, i, count, v);
}

#endif // ZAMVEL_X86
