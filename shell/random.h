// The one random generator of every program: the classic linear congruential
// generator (state = state * 214013 + 2531011, bits 16..30 drawn). The state
// starts at 1; only Glyra2 and Glyra seed it. Nothing else draws from the
// runtime library's own generator:
// a test scans the sources for it.
#pragma once

#include <cstdint>

constexpr int RandomMax = 32767;

// Sets the generator's state (the seed) / reads it back, for savers and tests.
void SeedRandom(uint32_t seed);
uint32_t RandomState();

// One draw: an integer 0..RandomMax.
int RandomDraw();

// r / 32767 * x, one draw; x itself comes out when r is 32767.
double RandomReal(double x);

// RandomReal(n) truncated toward zero: 0..n for n >= 0, n only on r == 32767.
int32_t RandomInt(int32_t n);
