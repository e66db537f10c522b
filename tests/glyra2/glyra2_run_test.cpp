// Glyra2's run on a recording canvas: every allocation and every font of its
// start and its ticks refused in turn.
#include "glyra2_run.h"

#include <gtest/gtest.h>

#include "builtin_texts.h"
#include "failure_sweep.h"
#include "random.h"
#include "recording_canvas.h"

namespace {

// Prepare fails only when no string could be had; a font that cannot be
// made leaves its characters to the font last used; nothing leaks.
TEST(Glyra2Run, EveryRefusedAllocationOrFontLeavesARunThatDrawsOrEnds)
{
    for (FailurePoint point : {FailurePoint::Memory, FailurePoint::GdiObject}) {
        SCOPED_TRACE(static_cast<int>(point));
        bool prepared = false;
        size_t chars = 0;
        auto path = [&] {
            SeedRandom(1);
            Glyra2Run run;
            const uint32_t seed = 7;
            prepared = PrepareGlyra2(run, TextList{}, 3, 12, 1024, 768, &seed, AddBytesAsText);
            RecordingCanvas canvas;
            if (prepared) {
                StartGlyra2(run, canvas, u"face", false, false);
                for (int tick = 0; tick < 3; ++tick) DrawGlyra2(run, canvas);
                FreeGlyra2Fonts(run);
            }
            chars = canvas.Chars.size();
            const int32_t requests = FailurePointRequests(point);
            EndGlyra2(run);
            return requests;
        };
        SweepFailures(point, path, [&](int32_t failing, bool lasting) {
            ExpectTextRunDrawsOrEnds(point, failing, lasting, prepared, chars);
        });
    }
}

} // namespace
