#include "calibration_values.h"

CalibrationValues g_calibration_values = {40, 40, 0};
