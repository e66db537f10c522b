#include "random.h"

namespace {
// The process-wide generator state, as the runtime library keeps its own.
uint32_t State = 1;
}

void SeedRandom(uint32_t seed) { State = seed; }

uint32_t RandomState() { return State; }

int RandomDraw()
{
    State = State * 214013u + 2531011u;
    return static_cast<int>((State >> 16) & 0x7FFF);
}

double RandomReal(double x)
{
    const int r = RandomDraw();
    return r / 32767.0 * x;
}

int32_t RandomInt(int32_t n)
{
    return static_cast<int32_t>(RandomReal(static_cast<double>(n)));
}
