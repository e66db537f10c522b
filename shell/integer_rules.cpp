#include "integer_rules.h"

#include <cmath>

int32_t TruncToInt(double x)
{
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return INT32_MAX;
    if (x <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(x);
}

int32_t WrapCoordinate(int64_t value, int32_t limit)
{
    if (value < 0) return limit;
    if (value > limit) return 0;
    return static_cast<int32_t>(value);
}
