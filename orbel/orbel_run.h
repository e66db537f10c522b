// One Orbel run in one window, free of any platform: its points, built when
// the window is created, stepped and drawn on every tick, freed when the
// window closes.
#pragma once

#include <cstdint>
#include <memory>

#include "canvas.h"
#include "orbel_sim.h"
#include "saver_table.h"

struct OrbelRun : SaverRun {
    int32_t Count = 0;
    std::unique_ptr<MassPoint[]> Points;
    int32_t PointSize = 2;  // the side of a drawn square, in screen units
};

// The opening (the start's Create): count points laid out over a screen of
// screenWidth x screenHeight, their squares sized for a window of
// windowWidth x windowHeight. Without the memory for them the run has no
// points: it draws nothing and still closes normally.
void StartOrbel(OrbelRun& run, int32_t count, int32_t screenWidth, int32_t screenHeight, int32_t windowWidth,
                int32_t windowHeight);
// One tick: every point steps, then last tick's squares are erased and the
// new ones drawn.
void DrawOrbel(OrbelRun& run, Canvas& canvas);
// The points freed (the run's End, as the window closes); safe to repeat.
void EndOrbel(OrbelRun& run);
