// Orbel's run on a recording canvas: every allocation of its opening and of
// its ticks refused in turn.
#include "orbel_run.h"

#include <gtest/gtest.h>

#include <vector>

#include "failure_sweep.h"
#include "random.h"
#include "recording_canvas.h"

namespace {

struct Square {
    int32_t X, Y;
    uint32_t Colour;
    bool operator==(const Square& o) const { return X == o.X && Y == o.Y && Colour == o.Colour; }
};

// Without its points the run draws nothing and still closes; a tick without
// its working memory steps in the reference order, so the picture is the
// clean run's.
TEST(OrbelRun, EveryRefusedAllocationLeavesARunThatClosesCleanly)
{
    RecordingCanvas canvas;
    std::vector<Square> clean, drawn;
    bool hadPoints = false;
    auto path = [&] {
        canvas.Clear();
        OrbelRun run;
        SeedRandom(1);
        StartOrbel(run, 40, 1024, 768, 1024, 768);
        for (int tick = 0; tick < 3; ++tick) DrawOrbel(run, canvas);
        const int32_t requests = FailurePointRequests(FailurePoint::Memory);
        hadPoints = run.Points != nullptr;
        EndOrbel(run);
        EXPECT_FALSE(run.Points);
        drawn.clear();
        for (const auto& b : canvas.Boxes) drawn.push_back({b.Box.Left, b.Box.Top, b.Colour});
        return requests;
    };
    SweepFailures(FailurePoint::Memory, path, [&](int32_t failing, bool) {
        if (failing == 0) clean = drawn;
        if (hadPoints)
            EXPECT_EQ(drawn, clean);
        else
            EXPECT_TRUE(drawn.empty());
    });
    EXPECT_FALSE(clean.empty());
}

} // namespace
