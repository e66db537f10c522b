// Every request of a kind refused in turn: a path run once to count its
// requests at a failure point, then once more for each of them, with that
// request failing alone and with it and every later one failing. The
// sanitizers of the native build see any leak the failures cause.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "failure_points.h"
#include "recording_canvas.h"

// path() runs the path and returns the number of requests it made at point
// (FailurePointRequests(point) at its end). check(failing, lasting) then
// judges each failing run; it is also called once for the clean run with
// failing 0.
template <class Path, class Check>
void SweepFailures(FailurePoint point, Path path, Check check)
{
    ClearFailurePlan();
    const int32_t requests = path();
    check(0, false);
    EXPECT_GT(requests, 0) << "the path asks for nothing at this point";
    for (int32_t n = 1; n <= requests; ++n)
        for (bool lasting : {false, true}) {
            SCOPED_TRACE(testing::Message() << "request " << n << (lasting ? " and after" : " alone") << " refused");
            PlanFailure(point, n, lasting);
            path();
            ClearFailurePlan();
            check(n, lasting);
        }
}

// A text saver's run swept at memory and at fonts. runOnce(canvas) starts
// a run on the canvas, draws a few ticks, ends it and says whether it was
// prepared. After a refusal: memory refused from the first request on
// leaves no string and no run; a font refused leaves a run that still draws
// (its characters in the font last used); any run that was prepared draws,
// and one that was not draws nothing.
template <class RunOnce>
void SweepTextRun(RunOnce runOnce)
{
    for (FailurePoint point : {FailurePoint::Memory, FailurePoint::GdiObject}) {
        SCOPED_TRACE(static_cast<int>(point));
        bool prepared = false;
        size_t chars = 0;
        auto path = [&] {
            RecordingCanvas canvas;
            prepared = runOnce(canvas);
            chars = canvas.Chars.size();
            return FailurePointRequests(point);
        };
        SweepFailures(point, path, [&](int32_t failing, bool lasting) {
            if (point == FailurePoint::GdiObject || failing == 0) {
                EXPECT_TRUE(prepared);
            }
            if (point == FailurePoint::Memory && lasting && failing == 1) {
                EXPECT_FALSE(prepared) << "no string at all";
            }
            if (prepared) {
                EXPECT_GT(chars, 0u) << "the run draws";
            } else {
                EXPECT_EQ(chars, 0u);
            }
        });
    }
}
