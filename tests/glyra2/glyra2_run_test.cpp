// Glyra2's run through its table on a recording canvas: every allocation
// and every font of its start and its ticks refused in turn.
#include "glyra2_table.h"

#include <gtest/gtest.h>

#include "failure_sweep.h"
#include "random.h"

namespace {

// The start fails only when no string could be had; a font that cannot be
// made leaves its characters to the font last used; nothing leaks.
TEST(Glyra2Run, EveryRefusedAllocationOrFontLeavesARunThatDrawsOrEnds)
{
    SettingValues values;
    DefaultValues(Glyra2Table, values, true);
    values.Numbers[TextFontSize] = 12;
    SweepTextRun([&](RecordingCanvas& canvas) {
        SeedRandom(1);
        const std::unique_ptr<SaverRun> run = StartRun(Glyra2Table, values, canvas, WholeWindowView(1024, 768, 7));
        if (!run) return false;
        for (int tick = 0; tick < 3; ++tick) Glyra2Table.Draw(*run, canvas);
        Glyra2Table.End(*run);
        return true;
    });
}

} // namespace
