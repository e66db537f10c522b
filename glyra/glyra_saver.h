// Glyra's saver on Windows: one instance per window holds its run.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "glyra_run.h"
#include "saver_hooks.h"
#include "text_settings.h"

// Makes the one font of the drawing; null when it cannot be made.
using FontMaker = CanvasFont* (*)(Canvas& canvas, const TextChar* face, int32_t height, bool bold, bool italic);

// The text settings, with how a run makes its font: Prepare makes it with
// MakeFont; tests put a failing maker in its place.
class GlyraSettings : public TextSettings {
public:
    GlyraSettings();
    FontMaker MakeFont = nullptr;
};

class GlyraInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    GlyraRun Run;
};

// The program's one settings object.
GlyraSettings& Glyra();

// The canvas's own font maker, MakeFont's default.
CanvasFont* MakeCanvasFont(Canvas& canvas, const TextChar* face, int32_t height, bool bold, bool italic);
