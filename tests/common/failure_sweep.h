// Every request of a kind refused in turn: a path run once to count its
// requests at a failure point, then once more for each of them, with that
// request failing alone and with it and every later one failing. The
// sanitizers of the native build see any leak the failures cause.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "failure_points.h"

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

// What a text saver's run must do after a refusal: memory refused from the
// first request on leaves no string and no run; a font refused leaves a
// run that still draws (its characters in the font last used); any run that
// was prepared draws, and one that was not draws nothing.
inline void ExpectTextRunDrawsOrEnds(FailurePoint point, int32_t failing, bool lasting, bool prepared, size_t chars)
{
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
}
