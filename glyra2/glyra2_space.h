// Glyra2's space: integer depth scaling, the angle and depth rules of the
// flight, the visible-box limits and the depth-dimmed colour. No Windows
// header, so the native build tests every worked example.
#pragma once

#include <cstdint>

#include "integer_rules.h"

constexpr int32_t FarDepth = 2000;      // depth of the far limit (0 is nearest)
constexpr int32_t DampDepth = 500;      // nearer than this, inclinations over 90 are damped
constexpr int32_t AngleSteps = 361;     // whole degrees -180..180

// a * 1000 / (z + 1000), truncated toward zero: a length seen at depth z.
int32_t ScaleDown(int32_t a, int32_t z);
// a * (z + 1000) / 1000, truncated toward zero: what covers a at depth z.
int32_t ScaleUp(int32_t a, int32_t z);
int32_t Sign(int32_t x);

// One correction of an angle that left -180..180 by at most a turn.
int32_t WrapAngle(int32_t degrees);
// Near the viewer, an inclination over 90 (heading nearer) eases by one.
int32_t DampInclination(int32_t inclination, int32_t depth);
// Leaving the depth range mirrors the depth component of the heading.
int32_t BounceInclination(int32_t inclination);
// A coordinate beyond limit - step comes back in from the opposite side.
int32_t SideWrap(int32_t x, int32_t step, double limit);

// 1.0 at depth 0, 0.4 at the far limit.
double Brightness(int32_t depth);
// The base colour dimmed for a depth, as 0x00BBGGRR.
uint32_t DimmedColour(uint8_t red, uint8_t green, uint8_t blue, int32_t depth);

// The program-wide tables and the screen centre, filled once.
struct Glyra2Space {
    int32_t HalfScreenWidth = 0;
    int32_t HalfScreenHeight = 0;
    double SinTable[AngleSteps] = {};   // index a + 180 for a in -180..180
    double CosTable[AngleSteps] = {};
    double LimitX[FarDepth + 1] = {};   // 98 % of the visible half-width at each depth
    double LimitY[FarDepth + 1] = {};
};

void FillSpace(Glyra2Space& space, int32_t halfScreenWidth, int32_t halfScreenHeight);
