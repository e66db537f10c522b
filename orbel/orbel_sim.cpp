#include "orbel_sim.h"

#include "orbel_kernel.h"
#include "failure_points.h"
#include "random.h"

#include <algorithm>
#include <cmath>

namespace {

// Truncation toward zero into the position band; values beyond it (or
// beyond any integer) rest on its edge.
int32_t TruncToBand(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= PositionLimit) return PositionLimit;
    if (v <= -PositionLimit) return -PositionLimit;
    return static_cast<int32_t>(v);
}

// How many screen units fall on one window pixel along an axis, rounded up;
// 1 when the window has no size or is not smaller than the screen.
int32_t ShrinkFactor(int32_t screen, int32_t window)
{
    if (window <= 0 || screen <= window) return 1;
    return screen / window + (screen % window != 0);
}

} // namespace

int32_t ScaledPointSize(int32_t pointSize, int32_t screenWidth, int32_t screenHeight, int32_t windowWidth,
                        int32_t windowHeight)
{
    const int32_t factor = std::max(ShrinkFactor(screenWidth, windowWidth), ShrinkFactor(screenHeight, windowHeight));
    // A square wider than the band shows nothing more, whatever the sizes.
    return static_cast<int32_t>(std::min<int64_t>(int64_t{pointSize} * factor, PositionLimit));
}

std::unique_ptr<MassPoint[]> AllocatePoints(int32_t count)
{
    if (count < 1 || count > MaxCount) return nullptr;
    return std::unique_ptr<MassPoint[]>(NewArrayOrNull<MassPoint>(static_cast<size_t>(count)));
}

void BuildPoints(MassPoint* points, int32_t count, int32_t screenWidth, int32_t screenHeight)
{
    for (int32_t i = 0; i < count; ++i) {
        MassPoint& p = points[i];
        p.Mass = PointMass;
        p.X = TruncToBand(RandomReal(screenWidth * 0.8) + screenWidth * 0.1);
        p.Y = TruncToBand(RandomReal(screenHeight * 0.8) + screenHeight * 0.1);
        p.Z = 0;
        p.VelocityX = p.VelocityY = p.VelocityZ = 0.0;
        p.DrawnX = p.DrawnY = 0;
    }
}

int32_t MoveAlong(int32_t position, double velocity)
{
    if (std::isnan(velocity)) return position;
    return TruncToBand(position + std::trunc(velocity));
}

// The fastest kernel on every tick: the check is a few loads, and keeps no
// state between ticks.
void StepPoints(MassPoint* points, int32_t count) { StepPointsWith(FastestKernel(), points, count); }
