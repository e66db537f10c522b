// Glyra's run on a recording canvas: every allocation of its start and its
// ticks refused in turn, and its one font.
#include "glyra_run.h"

#include <gtest/gtest.h>

#include "builtin_texts.h"
#include "failure_sweep.h"
#include "random.h"
#include "recording_canvas.h"

namespace {

// Prepare fails only when no string could be had; without its font the run
// draws in the canvas's own; nothing leaks.
TEST(GlyraRun, EveryRefusedAllocationOrFontLeavesARunThatDrawsOrEnds)
{
    for (FailurePoint point : {FailurePoint::Memory, FailurePoint::GdiObject}) {
        SCOPED_TRACE(static_cast<int>(point));
        bool prepared = false;
        size_t chars = 0;
        auto path = [&] {
            SeedRandom(1);
            GlyraRun run;
            const uint32_t seed = 5;
            RecordingCanvas canvas;
            prepared = PrepareGlyra(run, TextList{}, 2, 20, GlyraScreen{1024, 768, 1024, 768}, &seed, AddBytesAsText);
            if (prepared) {
                run.Font = canvas.MakeFont(u"face", run.FontSize, false, false);
                PlaceEntries(run, canvas);
                for (int tick = 0; tick < 3; ++tick) DrawGlyra(run, canvas);
            }
            chars = canvas.Chars.size();
            const int32_t requests = FailurePointRequests(point);
            EndGlyra(run);
            return requests;
        };
        SweepFailures(point, path, [&](int32_t failing, bool lasting) {
            ExpectTextRunDrawsOrEnds(point, failing, lasting, prepared, chars);
        });
    }
}

} // namespace
