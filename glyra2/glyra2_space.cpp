#include "glyra2_space.h"

#include <cmath>

namespace {
constexpr double Pi = 3.14159265;
}

// Products are taken in 64 bits: the same results as 32-bit arithmetic for
// every value the flight produces, and no overflow for any other.
int32_t ScaleDown(int32_t a, int32_t z)
{
    return static_cast<int32_t>(static_cast<int64_t>(a) * 1000 / (static_cast<int64_t>(z) + 1000));
}

int32_t ScaleUp(int32_t a, int32_t z)
{
    return static_cast<int32_t>(static_cast<int64_t>(a) * (static_cast<int64_t>(z) + 1000) / 1000);
}

int32_t Sign(int32_t x) { return (x > 0) - (x < 0); }

int32_t WrapAngle(int32_t degrees)
{
    if (degrees < -180) return degrees + 360;
    if (degrees > 180) return degrees - 360;
    return degrees;
}

int32_t DampInclination(int32_t inclination, int32_t depth)
{
    if (depth < DampDepth && inclination > 90) return inclination - 1;
    return inclination;
}

int32_t BounceInclination(int32_t inclination) { return Sign(inclination) * 180 - inclination; }

int32_t SideWrap(int32_t x, int32_t step, double limit)
{
    if (std::fabs(static_cast<double>(x)) > limit - step) return Sign(x) * TruncToInt(2.0 * step - limit);
    return x;
}

double Brightness(int32_t depth) { return 1.0 - depth / 2000.0 * 0.6; }

uint32_t DimmedColour(uint8_t red, uint8_t green, uint8_t blue, int32_t depth)
{
    const double b = Brightness(depth);
    const uint32_t r = static_cast<uint32_t>(TruncToInt(red * b)) & 0xFF;
    const uint32_t g = static_cast<uint32_t>(TruncToInt(green * b)) & 0xFF;
    const uint32_t bl = static_cast<uint32_t>(TruncToInt(blue * b)) & 0xFF;
    return r | (g << 8) | (bl << 16);
}

void FillSpace(Glyra2Space& space, int32_t halfScreenWidth, int32_t halfScreenHeight)
{
    space.HalfScreenWidth = halfScreenWidth;
    space.HalfScreenHeight = halfScreenHeight;
    for (int i = 0; i < AngleSteps; ++i) {
        const double r = (i - 180) * Pi / 180;
        space.SinTable[i] = std::sin(r);
        space.CosTable[i] = std::cos(r);
    }
    for (int z = 0; z <= FarDepth; ++z) {
        space.LimitX[z] = ScaleUp(halfScreenWidth, z) * 0.98;
        space.LimitY[z] = ScaleUp(halfScreenHeight, z) * 0.98;
    }
}
