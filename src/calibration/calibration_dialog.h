// The calibration dialog (dialog 12), opened from the job panel's "Calibration...": the sensor
// position bars, the reading test, keyboard jogging and the feed correction applied on Close.
#ifndef CUTTER_CALIBRATION_DIALOG_H
#define CUTTER_CALIBRATION_DIALOG_H

#include <windows.h>

#include "calibration_values.h"
#include "common/result_code.h"
#include "device/cutter_protocol.h"
#include "settings/settings_record.h"

// What the dialog works on, handed over by the job panel that opens it.
struct CalibrationEnvironment {
    const CutterLink*  link;
    Settings*          settings;   // CalibrationOpen while the dialog is open
    CalibrationValues* values;     // stored only after the cutter accepted them
    const char*        help_file;
    HWND               job_panel;  // its blade buttons follow CalibrationOpen
};

// Runs the dialog modally over `owner`. Returns 0, or the code of a failed feed-correction
// command, which the caller reports.
[[nodiscard]] ResultCode run_calibration_dialog(HWND owner, const CalibrationEnvironment& environment);

INT_PTR CALLBACK calibration_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

#endif
