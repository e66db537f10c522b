// The reference step: the loop every other kernel must match bit for bit.
#include "orbel_kernel.h"

#include <cmath>

void StepPointsScalar(MassPoint* points, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        MassPoint& pi = points[i];
        for (int32_t j = i + 1; j < count; ++j) {
            MassPoint& pj = points[j];
            // 64-bit differences: two points anywhere in the band never wrap.
            const int64_t dx = int64_t{pj.X} - pi.X;
            const int64_t dy = int64_t{pj.Y} - pi.Y;
            const int64_t dz = int64_t{pj.Z} - pi.Z;
            const int64_t d2 = dx * dx + dy * dy + dz * dz;
            // The cheap integer test first: close pairs cost no square root.
            if (d2 <= CutOffSquared) continue;
            const double t = static_cast<double>(d2);
            const double r3 = std::sqrt(t) * t;
            const double a = pj.Mass / r3;
            pi.VelocityX += static_cast<double>(dx) * a;
            pi.VelocityY += static_cast<double>(dy) * a;
            pi.VelocityZ += static_cast<double>(dz) * a;
            const double b = pi.Mass / r3;
            pj.VelocityX -= static_cast<double>(dx) * b;
            pj.VelocityY -= static_cast<double>(dy) * b;
            pj.VelocityZ -= static_cast<double>(dz) * b;
        }
        // Every pair with i has been handled: i moves now, by whole units.
        pi.X = MoveAlong(pi.X, pi.VelocityX);
        pi.Y = MoveAlong(pi.Y, pi.VelocityY);
        pi.Z = MoveAlong(pi.Z, pi.VelocityZ);
    }
}
