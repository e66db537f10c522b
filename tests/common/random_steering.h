// Steering the shell's one generator in tests: a state after which the next
// draws come out as a test needs them, and the number of draws that lie
// between two states.
#pragma once

#include <cstdint>

#include "random.h"

// The first state, searched from 1 on, after which wanted() (which makes
// its own draws) returns true. The generator is left in that state. 0 when
// none of the first 2^26 states will do.
inline uint32_t SteerRandom(bool (*wanted)())
{
    for (uint32_t state = 1; state < (1u << 26); ++state) {
        SeedRandom(state);
        if (!wanted()) continue;
        SeedRandom(state);
        return state;
    }
    return 0;
}

// How many draws take the generator from state from to state to; -1 when
// it takes more than limit. The generator keeps the state it had.
inline int DrawsBetween(uint32_t from, uint32_t to, int limit = 1 << 20)
{
    const uint32_t kept = RandomState();
    SeedRandom(from);
    int draws = 0;
    while (RandomState() != to && draws <= limit) {
        RandomDraw();
        ++draws;
    }
    SeedRandom(kept);
    return draws > limit ? -1 : draws;
}
