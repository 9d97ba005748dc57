// What the calibration dialog decides, without the platform: the sensor bars' scale and caption,
// and how the typed feed correction is judged and converted. The dialog procedure
// (calibration_dialog.cpp) only translates messages.
#ifndef CUTTER_CALIBRATION_RULES_H
#define CUTTER_CALIBRATION_RULES_H

#include <cstddef>
#include <cstdint>

#include "common/bar_step.h"
#include "common/result_code.h"
#include "device/cutter_protocol.h"

// Sensor corrections are held as scroll positions: 0 to 80 steps of 0.05 mm, 40 meaning none;
// a page is 10 steps.
constexpr BarScale SENSOR_BAR_SCALE{0, 80, 10};
constexpr std::int32_t SENSOR_BAR_NEUTRAL = 40;

// "X:" or "Y:" followed by the cutter's own signed value (stored minus 40).
void sensor_value_text(const char* axis_label, std::int32_t stored, char* text, std::size_t size);

// Feed correction in thousandths of a percent: -2000 to 2000 (-2.00 % to +2.00 %).
constexpr std::int32_t FEED_CORRECTION_MINIMUM = -FEED_CORRECTION_LIMIT;
constexpr std::int32_t FEED_CORRECTION_MAXIMUM = FEED_CORRECTION_LIMIT;
[[nodiscard]] ResultCode check_feed_correction_range(std::int32_t value);

// The entry shows the correction in percent with two decimals (1250 gives "1.25").
void feed_correction_text(std::int32_t feed_correction, char* text, std::size_t size);

// The judgement of the typed entry: RC_FEED_CORRECTION_RANGE when it is no plain decimal number
// or lies outside the range; the range is judged on the text as typed, and the value taken is the
// text cut two characters after its decimal point, in thousandths (exact hundredths times 10).
struct FeedCorrectionEntry {
    ResultCode   code;
    std::int32_t correction;  // the value to send when `code` is 0
};
FeedCorrectionEntry judge_feed_correction_text(const char* text);

#endif
