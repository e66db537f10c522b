// The integer rules every saver's arithmetic follows.
#pragma once

#include <cstdint>

// A floating-point value to an integer, truncated toward zero. Values beyond
// the 32-bit range stop at its ends and NaN gives 0: never undefined.
int32_t TruncToInt(double x);

// A coordinate that left 0..limit comes back at the far edge exactly,
// without the overshoot; the edge itself (0 or limit) stays.
// The value is taken wide, so a step past the 32-bit range wraps as well.
int32_t WrapCoordinate(int64_t value, int32_t limit);
