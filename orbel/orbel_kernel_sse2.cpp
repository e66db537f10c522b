// The row kernel two pairs at a time, in the same order as the four-pair
// kernel: pulls computed side by side, i's pulls applied one at a time in
// pair order, each j's velocity changed once per row.
#include "orbel_kernel_rows.h"

#if ZAMVEL_SSE2_KERNEL

#include <emmintrin.h>

namespace {

// A pull as it is taken from a velocity, or +0 for a pair inside the
// cut-off: v - (+0) is v bit for bit, a negative zero included.
__attribute__((target("sse2"))) inline __m128d Taken(__m128d pull, __m128d close)
{
    return _mm_andnot_pd(close, pull);
}

__attribute__((target("sse2"))) inline bool SameBits(__m128d a, __m128d b)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_castpd_si128(a), _mm_castpd_si128(b))) == 0xFFFF;
}

// Plain: see RowKernel.
template <bool Plain>
__attribute__((target("sse2"))) void PullRow(const PointColumns& c, int32_t i, int32_t count, RowVelocity& v)
{
    // The columns in locals: stores through the velocity columns could
    // otherwise alias them and force reloads.
    const double *const xs = c.X, *const ys = c.Y, *const zs = c.Z, *const ms = c.Mass;
    double *const vxs = c.VelocityX, *const vys = c.VelocityY, *const vzs = c.VelocityZ;
    const __m128d xi = _mm_set1_pd(xs[i]), yi = _mm_set1_pd(ys[i]), zi = _mm_set1_pd(zs[i]);
    const __m128d mi = _mm_set1_pd(ms[i]);
    const __m128d sign = _mm_set1_pd(-0.0);
    // i's velocity, x and y side by side. v + p is v - (-p) bit for bit, so
    // i takes its pulls negated, as j does.
    __m128d vxy = _mm_set_pd(v.Y, v.X);
    double vz = v.Z;
    int32_t j = i + 1;
    for (; j + 2 <= count; j += 2) {
        const __m128d dx = _mm_sub_pd(_mm_loadu_pd(xs + j), xi);
        const __m128d dy = _mm_sub_pd(_mm_loadu_pd(ys + j), yi);
        const __m128d dz = Plain ? _mm_setzero_pd() : _mm_sub_pd(_mm_loadu_pd(zs + j), zi);
        __m128d d2 = _mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy));
        if (!Plain) d2 = _mm_add_pd(d2, _mm_mul_pd(dz, dz));
        // Pairs this far apart (never in a plain tick) take the exact path.
        if (!Plain && _mm_movemask_pd(_mm_cmpge_pd(d2, _mm_set1_pd(ExactSquaredLimit)))) {
            RowVelocity s{_mm_cvtsd_f64(vxy), _mm_cvtsd_f64(_mm_unpackhi_pd(vxy, vxy)), vz};
            PullPair(c, i, j, s);
            PullPair(c, i, j + 1, s);
            vxy = _mm_set_pd(s.Y, s.X);
            vz = s.Z;
            continue;
        }
        const __m128d close = _mm_cmple_pd(d2, _mm_set1_pd(CutOff));
        const __m128d r3 = _mm_mul_pd(_mm_sqrt_pd(d2), d2);
        const __m128d mj = Plain ? mi : _mm_loadu_pd(ms + j);
        const __m128d a = _mm_div_pd(mj, r3);
        // Masses equal bit for bit give equal quotients: one division saved.
        const __m128d b = Plain || SameBits(mj, mi) ? a : _mm_div_pd(mi, r3);
        // What j loses (t), and what i gains negated (q): d * (-a), which
        // with equal masses is j's loss with its sign flipped.
        const __m128d na = _mm_xor_pd(a, sign), flip = _mm_andnot_pd(close, sign);
        const __m128d tx = Taken(_mm_mul_pd(dx, b), close), ty = Taken(_mm_mul_pd(dy, b), close);
        const __m128d qx = Plain ? _mm_xor_pd(tx, flip) : Taken(_mm_mul_pd(dx, na), close);
        const __m128d qy = Plain ? _mm_xor_pd(ty, flip) : Taken(_mm_mul_pd(dy, na), close);
        _mm_storeu_pd(vxs + j, _mm_sub_pd(_mm_loadu_pd(vxs + j), tx));
        _mm_storeu_pd(vys + j, _mm_sub_pd(_mm_loadu_pd(vys + j), ty));
        vxy = _mm_sub_pd(vxy, _mm_unpacklo_pd(qx, qy));
        vxy = _mm_sub_pd(vxy, _mm_unpackhi_pd(qx, qy));
        if (Plain) continue;
        const __m128d qz = Taken(_mm_mul_pd(dz, na), close);
        _mm_storeu_pd(vzs + j, _mm_sub_pd(_mm_loadu_pd(vzs + j), Taken(_mm_mul_pd(dz, b), close)));
        vz -= _mm_cvtsd_f64(qz);
        vz -= _mm_cvtsd_f64(_mm_unpackhi_pd(qz, qz));
    }
    v = RowVelocity{_mm_cvtsd_f64(vxy), _mm_cvtsd_f64(_mm_unpackhi_pd(vxy, vxy)), vz};
    for (; j < count; ++j) PullPair(c, i, j, v);
}

} // namespace

void PullRowSse2(const PointColumns& c, int32_t i, int32_t count, RowVelocity& v, bool plain)
{
    if (plain)
        PullRow<true>(c, i, count, v);
    else
        PullRow<false>(c, i, count, v);
}

#endif // ZAMVEL_SSE2_KERNEL
