// The cutter's stored corrections, read at start-up and changed by the calibration dialog.
#ifndef CUTTER_CALIBRATION_VALUES_H
#define CUTTER_CALIBRATION_VALUES_H

#include <cstdint>

struct CalibrationValues {
    std::int32_t SensorCorrectionX;  // 0 to 80 steps of 0.05 mm; 40 is no correction
    std::int32_t SensorCorrectionY;
    std::int32_t FeedCorrection;     // thousandths of a percent, -2000 to 2000
};

// The run's one instance; the main window and the calibration dialog hand it on.
extern CalibrationValues g_calibration_values;

#endif
