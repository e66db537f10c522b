#include "integer_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(TruncToInt, TowardZeroAndSaturatingBeyondTheRange)
{
    const struct {
        double In;
        int32_t Out;
    } cases[] = {{2.9, 2},          {-2.9, -2},         {-0.5, 0},          {2147483646.9, 2147483646},
                 {3e9, INT32_MAX},  {-3e9, INT32_MIN},  {1e300, INT32_MAX}, {-std::numeric_limits<double>::infinity(), INT32_MIN},
                 {std::nan(""), 0}};
    for (const auto& c : cases) EXPECT_EQ(TruncToInt(c.In), c.Out) << c.In;
}

// A coordinate that left 0..limit comes back at the far edge exactly, even
// from a step past the 32-bit range.
TEST(WrapCoordinate, JumpsToTheFarEdgeWithoutOvershoot)
{
    const struct {
        int64_t Value;
        int32_t Limit, Wrapped;
    } cases[] = {{-3, 640, 640},          {-1, 640, 640},          {0, 640, 0},
                 {5, 640, 5},             {640, 640, 640},         {641, 640, 0},
                 {652, 480, 0},           {int64_t{INT32_MAX} + 7, INT32_MAX, 0},
                 {int64_t{INT32_MIN} - 7, INT32_MAX, INT32_MAX}};
    for (const auto& c : cases) EXPECT_EQ(WrapCoordinate(c.Value, c.Limit), c.Wrapped) << c.Value << " in " << c.Limit;
}
