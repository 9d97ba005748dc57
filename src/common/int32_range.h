// Bringing a double into a signed 32-bit value the way every conversion of the program does.
#ifndef CUTTER_INT32_RANGE_H
#define CUTTER_INT32_RANGE_H

#include <cmath>
#include <cstdint>

// Truncates toward zero; out-of-range values stop at the ends and not-a-number gives 0.
inline std::int32_t truncate_to_int32(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    const double truncated = std::trunc(value);
    if (truncated >= 2147483647.0) {
        return INT32_MAX;
    }
    if (truncated <= -2147483648.0) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(truncated);
}

#endif
