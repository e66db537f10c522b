// One Orbel run in one window, free of any platform: its points, built when
// the window is created, stepped and drawn on every tick, freed when the
// window closes.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "orbel_sim.h"

struct OrbelRun {
    int32_t Count = 0;
    MassPoint* Points = nullptr;
    int32_t PointSize = 2;  // the side of a drawn square, in screen units

    OrbelRun() = default;
    ~OrbelRun();
    OrbelRun(const OrbelRun&) = delete;
    OrbelRun& operator=(const OrbelRun&) = delete;
};

// The opening (OnCreate's work): count points laid out over a screen of
// screenWidth x screenHeight, their squares sized for a window of
// windowWidth x windowHeight. Without the memory for them the run has no
// points: it draws nothing and still closes normally.
void StartOrbel(OrbelRun& run, int32_t count, int32_t screenWidth, int32_t screenHeight, int32_t windowWidth,
                int32_t windowHeight);
// One tick (DrawFrame's work): every point steps, then last tick's squares
// are erased and the new ones drawn.
void DrawOrbel(OrbelRun& run, Canvas& canvas);
// The points freed (QueryClose's work); safe to repeat.
void EndOrbel(OrbelRun& run);
