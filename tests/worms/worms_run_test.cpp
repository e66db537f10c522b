// Worms' run on a recording canvas: what each trail mode asks the canvas to
// draw, and every allocation of the build refused in turn.
#include "worms_run.h"

#include <gtest/gtest.h>

#include "failure_sweep.h"
#include "random.h"
#include "recording_canvas.h"

namespace {

// Per worm and tick a tail, then a head: the tail black over the picture
// when it clears, else in the worm's colour NOT-XOR the picture; the head
// in the worm's colour (advanced first when it smears).
TEST(WormsRun, EachModeDrawsTailAndHeadAsItLeavesItsTrail)
{
    const struct {
        int32_t Type;
        CanvasMix TailMix, HeadMix;
        bool BlackTail;
        uint32_t HeadStep;  // how far the head's colour is from the tail's
    } cases[] = {
        {TrailClear, CanvasMix::Copy, CanvasMix::Copy, true, 0},
        {TrailNone, CanvasMix::NotXor, CanvasMix::NotXor, false, 0},
        {TrailSmear, CanvasMix::NotXor, CanvasMix::NotXor, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Type);
        SeedRandom(1);
        WormsRun run;
        ASSERT_TRUE(StartWorms(run, c.Type, 3, 5, CrawlArea{640, 480}));
        RecordingCanvas canvas;
        const uint32_t first = run.Crowd[0].Colour;
        DrawWorms(run, canvas);
        ASSERT_EQ(canvas.Ellipses.size(), 6u);
        const auto& tail = canvas.Ellipses[0];
        const auto& head = canvas.Ellipses[1];
        EXPECT_EQ(tail.Mix, c.TailMix);
        EXPECT_EQ(head.Mix, c.HeadMix);
        EXPECT_EQ(tail.Colour, c.BlackTail ? 0u : first);
        EXPECT_EQ(head.Colour, (first + c.HeadStep) & 0xFFFFFF);
        const Worm& w = run.Crowd[0];
        const SegmentBox at = SegmentBoxAt(w.SegmentX[w.HeadIndex], w.SegmentY[w.HeadIndex], w.SegmentSize);
        EXPECT_EQ(head.Box.Left, at.Left);
        EXPECT_EQ(head.Box.Bottom, at.Bottom);
    }
}

// A build that cannot have its memory keeps nothing and draws nothing.
TEST(WormsRun, EveryRefusedAllocationLeavesNoWorms)
{
    bool built = false;
    size_t ellipses = 0;
    auto path = [&] {
        SeedRandom(1);
        WormsRun run;
        built = StartWorms(run, TrailSmear, 4, 6, CrawlArea{640, 480});
        const int32_t requests = FailurePointRequests(FailurePoint::Memory);
        RecordingCanvas canvas;
        DrawWorms(run, canvas);
        ellipses = canvas.Ellipses.size();
        EXPECT_EQ(run.Crowd.Count(), built ? 4 : 0);
        EndWorms(run);
        return requests;
    };
    SweepFailures(FailurePoint::Memory, path, [&](int32_t failing, bool) {
        EXPECT_EQ(built, failing == 0);
        EXPECT_EQ(ellipses, built ? 8u : 0u);
    });
}

} // namespace
