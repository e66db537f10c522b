// Orbel's mass points: the opening layout, the attraction step and the
// bounds of their number. No Windows header, so the native build tests and
// benchmarks all of it.
#pragma once

#include <cstdint>
#include <memory>

// One simulated body. Z is depth and is never drawn; DrawnX/DrawnY remember
// the square painted in the previous tick so it can be blacked out.
struct MassPoint {
    double Mass;
    int32_t X, Y, Z;
    double VelocityX, VelocityY, VelocityZ;
    int32_t DrawnX, DrawnY;
};

constexpr int32_t DefaultCount = 300;
// The step costs Count * (Count - 1) / 2 pairs per 50 ms tick: some 6.1
// million at 3500. A frame of 3500 points, stepped by the AVX2 kernel and
// drawn, takes the shipped 32-bit build 17 to 19 ms under wine (frame-timing
// harness, window surface, median of three runs; the step alone 12 ms),
// within the 25 ms a frame may take. At 4000 it took 20 to 27 ms on a busy
// machine. The SSE2 kernel, for CPUs without AVX2, takes about 1.3 times as
// long (orbel_bench).
constexpr int32_t MaxCount = 3500;

constexpr double PointMass = 100.0;
// Pairs this close (squared) or closer ignore each other.
constexpr int64_t CutOffSquared = 4000;
// Every coordinate stays within +-PositionLimit: the squared distance of two
// points in this band (at most 12 * 10^16) fits 64 bits with room, and the
// squares stay inside GDI's 27-bit device coordinates. A point flung that
// far rests at the edge of the band, long out of sight.
constexpr int32_t PositionLimit = 100000000;

// The side of a drawn square once the preview's shrinking is known. The
// side grows by the whole ratio of screen to window, rounded up and taken
// over the more shrunken axis: the shrunken square then spans at least two
// pixels each way, and a square drawn with the null pen, which loses its
// right and bottom row, still shows at least one. (Rounded down, 1024 onto
// a 152 x 112 preview would give 12 units, under two pixels, and about half
// the dots would vanish.) In Run the ratio is 1. A window of no size, or
// one larger than the screen, keeps the side as it is.
int32_t ScaledPointSize(int32_t pointSize, int32_t screenWidth, int32_t screenHeight, int32_t windowWidth,
                        int32_t windowHeight);

// count zeroed points, or null when count is out of 1..MaxCount or the
// memory is not there.
std::unique_ptr<MassPoint[]> AllocatePoints(int32_t count);

// The opening layout: for each point in index order two draws from the
// shell's generator, x first, over the middle 80 % of the screen; all at
// rest at z = 0. The generator is never seeded here.
void BuildPoints(MassPoint* points, int32_t count, int32_t screenWidth, int32_t screenHeight);

// One tick of mutual attraction (constant 1, no damping, no walls). Pairs
// are visited i < j in index order; point i moves by its velocity truncated
// toward zero when its own pass is done, so every force of a tick comes
// from the positions at its start. Runs the fastest kernel this CPU has
// (orbel_kernel.h); each gives the same bits.
void StepPoints(MassPoint* points, int32_t count);

// position + velocity truncated toward zero, kept inside the band.
int32_t MoveAlong(int32_t position, double velocity);
