// Glyra2's run on a recording canvas: every allocation and every font of its
// start and its ticks refused in turn.
#include "glyra2_run.h"

#include <gtest/gtest.h>

#include "builtin_texts.h"
#include "failure_sweep.h"
#include "random.h"

namespace {

// Prepare fails only when no string could be had; a font that cannot be
// made leaves its characters to the font last used; nothing leaks.
TEST(Glyra2Run, EveryRefusedAllocationOrFontLeavesARunThatDrawsOrEnds)
{
    SweepTextRun([](RecordingCanvas& canvas) {
        SeedRandom(1);
        Glyra2Run run;
        const uint32_t seed = 7;
        const bool prepared = PrepareGlyra2(run, TextList{}, 3, 12, 1024, 768, &seed, AddBytesAsText);
        if (prepared) {
            StartGlyra2(run, canvas, u"face", false, false);
            for (int tick = 0; tick < 3; ++tick) DrawGlyra2(run, canvas);
            FreeGlyra2Fonts(run);
        }
        EndGlyra2(run);
        return prepared;
    });
}

} // namespace
