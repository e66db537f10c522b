// Glyra2's saver on Windows: one instance per window holds its run.
#pragma once

#include "glyra2_run.h"
#include "saver_hooks.h"
#include "text_settings.h"

class Glyra2Instance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    Glyra2Run Run;
};

// The program's one settings object.
TextSettings& Glyra2();
