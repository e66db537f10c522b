#include "worms_values.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Case {
    int32_t stored;
    int32_t loaded;
};

TEST(WormsValues, TypeOutOfRangeLoadsAsLeaveNoTrail)
{
    const Case cases[] = {{0, TrailClear}, {1, TrailNone}, {2, TrailSmear},       {3, TrailNone},
                          {-1, TrailNone}, {INT_MIN, TrailNone}, {INT_MAX, TrailNone}};
    for (const Case& c : cases) EXPECT_EQ(ValidType(c.stored), c.loaded) << "stored " << c.stored;
}

// Too small takes the default; too large is cut to the bound.
TEST(WormsValues, CountAndLengthBelowOneTakeTheDefaultAboveTheBoundAreCut)
{
    const Case counts[] = {{INT_MIN, 100}, {-2, 100},  {0, 100}, {1, 1}, {100, 100}, {1999, 1999},
                           {2000, 2000},   {2001, 2000}, {INT_MAX, 2000}};
    for (const Case& c : counts) EXPECT_EQ(ValidWormsCnt(c.stored), c.loaded) << "stored " << c.stored;

    const Case lengths[] = {{INT_MIN, 10}, {-2, 10},    {0, 10}, {1, 1}, {10, 10}, {999, 999},
                            {1000, 1000},  {1001, 1000}, {INT_MAX, 1000}};
    for (const Case& c : lengths) EXPECT_EQ(ValidWormsLen(c.stored), c.loaded) << "stored " << c.stored;
}

} // namespace
