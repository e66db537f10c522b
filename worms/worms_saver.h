// Worms' saver on Windows: one instance per window holds its run; the shell
// puts the screen as it was into the window, and the worms crawl over it.
#pragma once

#include "saver_hooks.h"
#include "worms_run.h"

class WormsInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    WormsRun Run;
};
