// Glyra's run through its table on a recording canvas: every allocation of
// its start and its ticks refused in turn, and its one font.
#include "glyra_table.h"

#include <gtest/gtest.h>

#include "failure_sweep.h"
#include "glyra_run.h"
#include "random.h"
#include "table_texts.h"

namespace {

// The start fails only when no string could be had; without its font the
// run says so and draws in the canvas's own; nothing leaks.
TEST(GlyraRun, EveryRefusedAllocationOrFontLeavesARunThatDrawsOrEnds)
{
    SettingValues values;
    DefaultValues(GlyraTable, values, true);
    values.Numbers[TextSpeed] = 2;
    values.Numbers[TextFontSize] = 20;
    SweepTextRun([&](RecordingCanvas& canvas) {
        SeedRandom(1);
        const std::unique_ptr<SaverRun> run = StartRun(GlyraTable, values, canvas, WholeWindowView(1024, 768, 5));
        if (!run) return false;
        EXPECT_EQ(run->Notice != nullptr, !static_cast<GlyraRun&>(*run).Font);
        // A notice the table does not list has no string of its own, so it
        // would read in English on a Japanese system.
        if (run->Notice) {
            EXPECT_GE(TextPlace(GlyraTable, *run->Notice), 0);
        }
        for (int tick = 0; tick < 3; ++tick) GlyraTable.Draw(*run, canvas);
        return true;
    });
}

} // namespace
