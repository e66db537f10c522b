// Glyra's run on a recording canvas: every allocation of its start and its
// ticks refused in turn, and its one font.
#include "glyra_run.h"

#include <gtest/gtest.h>

#include "builtin_texts.h"
#include "failure_sweep.h"
#include "random.h"

namespace {

// Prepare fails only when no string could be had; without its font the run
// draws in the canvas's own; nothing leaks.
TEST(GlyraRun, EveryRefusedAllocationOrFontLeavesARunThatDrawsOrEnds)
{
    SweepTextRun([](RecordingCanvas& canvas) {
        SeedRandom(1);
        GlyraRun run;
        const uint32_t seed = 5;
        const bool prepared =
            PrepareGlyra(run, TextList{}, 2, 20, GlyraScreen{1024, 768, 1024, 768}, &seed, AddBytesAsText);
        if (prepared) {
            run.Font = canvas.MakeFont(u"face", run.FontSize, false, false);
            PlaceEntries(run, canvas);
            for (int tick = 0; tick < 3; ++tick) DrawGlyra(run, canvas);
        }
        EndGlyra(run);
        return prepared;
    });
}

} // namespace
