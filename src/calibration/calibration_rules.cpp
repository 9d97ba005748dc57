#include "calibration_rules.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "workflow/mark_distances.h"

namespace {

// The entry's text as the C library's "%lf" reads it, in thousandths: toward zero for the range
// check, to the nearest for the value sent (two decimals times 1000 is not always exact in
// binary: 1.13 would otherwise become 1129 and reach the cutter as 1.12 %). A value far outside
// 32 bits only has to stay outside the range, so it saturates.
std::int32_t thousandths_of(const std::string& text, bool nearest)
{
    double value = 0.0;
    if (std::sscanf(text.c_str(), "%lf", &value) != 1 || std::isnan(value)) {
        return 0;
    }
    const double scaled = nearest ? std::round(value * 1000.0) : std::trunc(value * 1000.0);
    if (scaled >= 2147483647.0) return INT32_MAX;
    if (scaled <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(scaled);
}

}  // namespace

void sensor_value_text(const char* axis_label, std::int32_t stored, char* text, std::size_t size)
{
    std::snprintf(text, size, "%s%d", axis_label, static_cast<int>(stored - SENSOR_BAR_NEUTRAL));
}

ResultCode check_feed_correction_range(std::int32_t value)
{
    return value >= FEED_CORRECTION_MINIMUM && value <= FEED_CORRECTION_MAXIMUM
               ? RC_SUCCESS
               : RC_FEED_CORRECTION_RANGE;
}

void feed_correction_text(std::int32_t feed_correction, char* text, std::size_t size)
{
    std::snprintf(text, size, "%.2lf", feed_correction * 0.001);
}

FeedCorrectionEntry judge_feed_correction_text(const char* text)
{
    if (check_numeric_text(text) != RC_SUCCESS) {
        return FeedCorrectionEntry{RC_FEED_CORRECTION_RANGE, 0};
    }
    // The range is judged on the text as typed, so 2.004 is refused although it would be sent
    // as 2.00.
    std::string entry(text);
    const ResultCode range = check_feed_correction_range(thousandths_of(entry, false));
    const std::size_t point = entry.find('.');
    if (point != std::string::npos && point + 3 < entry.size()) {
        entry.resize(point + 3);
    }
    if (range != RC_SUCCESS) {
        return FeedCorrectionEntry{range, 0};
    }
    return FeedCorrectionEntry{RC_SUCCESS, thousandths_of(entry, true)};
}
