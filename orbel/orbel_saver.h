// Orbel's saver: one instance per window holds its mass points, built when
// the window is created, stepped and redrawn on every tick, freed when the
// window closes.
#pragma once

#include "orbel_sim.h"
#include "saver_hooks.h"

#include <cstdint>

class OrbelInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    ~OrbelInstance() override;

    int32_t Count = 0;
    MassPoint* Points = nullptr;  // built by OnCreate, freed by QueryClose
    int32_t PointSize = 2;        // the side of a drawn square, in screen units
};
