// Orbel's saver on Windows: one instance per window holds its run.
#pragma once

#include "orbel_run.h"
#include "saver_hooks.h"

class OrbelInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    OrbelRun Run;
};
