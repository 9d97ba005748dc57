#include "calibration_dialog.h"

#include <cstdint>

#include "calibration_rules.h"
#include "common/result_report.h"
#include "common/win_text.h"
#include "guide/operation_guide.h"
#include "positioning/pad_panel.h"
#include "resources/resource_ids.h"
#include "workflow/mark_distance_entries.h"

namespace {

constexpr DWORD CALIBRATION_HELP_CONTEXT = 98305;
constexpr int FEED_ENTRY_LIMIT = 512;
constexpr int SENSOR_TEXT_SIZE = 32;

// The open dialog's environment; one calibration dialog at a time.
const CalibrationEnvironment* g_environment = nullptr;

struct SensorAxis {
    int bar;
    int value_label;
    UINT axis_label;
    std::int32_t CalibrationValues::*stored;
};

constexpr SensorAxis X_AXIS = {IDC_SENSOR_X_BAR, IDC_SENSOR_X_VALUE, IDS_SENSOR_X_LABEL,
                               &CalibrationValues::SensorCorrectionX};
constexpr SensorAxis Y_AXIS = {IDC_SENSOR_Y_BAR, IDC_SENSOR_Y_VALUE, IDS_SENSOR_Y_LABEL,
                               &CalibrationValues::SensorCorrectionY};

void show_sensor_value(HWND dialog, const SensorAxis& axis, std::int32_t value)
{
    char text[SENSOR_TEXT_SIZE];
    sensor_value_text(load_text(axis.axis_label).c_str(), value, text, sizeof text);
    SetDlgItemTextA(dialog, axis.value_label, text);
    SetScrollPos(GetDlgItem(dialog, axis.bar), SB_CTL, value, TRUE);
}

// The job panel's jog arrows and "Use Keyboard" are offered while the dialog is open.
void refresh_blade_buttons(const CalibrationEnvironment& environment)
{
    update_blade_position(environment.job_panel, *environment.settings, &g_pad_state, g_pad_rectangles);
}

// Leaving the dialog for another window stops any jog and ends keyboard jogging.
void end_keyboard_jogging(HWND dialog)
{
    const ResultCode result =
        release_pad_on_deactivation(dialog, IDC_CALIBRATION_USE_KEYBOARD, *g_environment->link);
    if (result != RC_SUCCESS) {
        report_result(dialog, result);
    }
}

// CalibrationOpen is 1 exactly while the dialog is open.
void set_calibration_open(std::int32_t open)
{
    g_environment->settings->CalibrationOpen = open;
    refresh_blade_buttons(*g_environment);
}

INT_PTR init_calibration(HWND dialog, const CalibrationEnvironment* environment)
{
    g_environment = environment;
    set_pad_calibration_dialog(dialog);
    set_calibration_open(1);
    SetWindowTextA(dialog, load_text(IDS_CALIBRATION_TITLE).c_str());
    const CalibrationValues& values = *environment->values;
    for (const SensorAxis* axis : {&X_AXIS, &Y_AXIS}) {
        SetScrollRange(GetDlgItem(dialog, axis->bar), SB_CTL, SENSOR_BAR_SCALE.Minimum, SENSOR_BAR_SCALE.Maximum,
                       TRUE);
        show_sensor_value(dialog, *axis, values.*(axis->stored));
    }
    char text[SENSOR_TEXT_SIZE];
    feed_correction_text(values.FeedCorrection, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_FEED_CORRECTION, text);
    return TRUE;
}

// A sensor bar moved: the display follows, the cutter hears of a dropped or stepped change and
// the value is stored only when it accepted it.
INT_PTR on_sensor_bar(HWND dialog, const SensorAxis& axis, int code, int thumb)
{
    CalibrationValues* values = g_environment->values;
    const std::int32_t stored = values->*(axis.stored);
    const BarStep step = bar_step(SENSOR_BAR_SCALE, code, stored, thumb);
    show_sensor_value(dialog, axis, step.Value);
    if (!step.Send) {
        return FALSE;
    }
    CalibrationValues changed = *values;
    changed.*(axis.stored) = step.Value;
    const ResultCode result = sensor_position_command(*g_environment->link, changed.SensorCorrectionX,
                                                      changed.SensorCorrectionY);
    if (result == RC_SUCCESS) {
        *values = changed;
    } else {
        show_sensor_value(dialog, axis, stored);
        report_result(dialog, result);
    }
    return FALSE;
}

void on_reading_test(HWND dialog)
{
    if (!confirmation_question(dialog, IDQ_CALIBRATION_READ_TEST)) {
        return;
    }
    const ResultCode result = sensor_scan_command(*g_environment->link);
    if (result != RC_SUCCESS) {
        report_result(dialog, result);
    }
}

void open_help(HWND dialog)
{
    WinHelpA(dialog, g_environment->help_file, HELP_CONTEXT, CALIBRATION_HELP_CONTEXT);
}

// `apply feed correction`: a refused entry keeps the dialog open with the text selected.
ResultCode apply_feed_correction(HWND dialog)
{
    char text[FEED_ENTRY_LIMIT + 1] = {};
    GetDlgItemTextA(dialog, IDC_FEED_CORRECTION, text, sizeof text);
    const FeedCorrectionEntry entry = judge_feed_correction_text(text);
    if (entry.code != RC_SUCCESS) {
        select_edit_text(dialog, IDC_FEED_CORRECTION);
        return entry.code;
    }
    const ResultCode result = feed_correction_command(*g_environment->link, entry.correction);
    if (result == RC_SUCCESS) {
        g_environment->values->FeedCorrection = entry.correction;
    }
    return result;
}

void on_close(HWND dialog)
{
    const ResultCode result = apply_feed_correction(dialog);
    if (result == RC_FEED_CORRECTION_RANGE) {
        report_result(dialog, result);
        return;
    }
    set_calibration_open(0);
    // Ending the dialog activates its owner, which deactivates the dialog at once: that still
    // needs the environment to stop a jog and end keyboard jogging.
    EndDialog(dialog, static_cast<INT_PTR>(result));
}

INT_PTR on_command(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
        on_close(dialog);
        break;
    case IDC_SENSOR_READ_TEST:
        on_reading_test(dialog);
        break;
    case IDC_CALIBRATION_USE_KEYBOARD:
        use_keyboard_clicked();
        break;
    case IDC_CALIBRATION_HELP:
        open_help(dialog);
        break;
    }
    // Escape and Cancel are not handled: only Close leaves the dialog.
    return FALSE;
}

}  // namespace

ResultCode run_calibration_dialog(HWND owner, const CalibrationEnvironment& environment)
{
    const INT_PTR end = DialogBoxParamA(resource_instance(), MAKEINTRESOURCEA(IDD_CALIBRATION), owner,
                                        calibration_dialog_proc, reinterpret_cast<LPARAM>(&environment));
    set_pad_calibration_dialog(nullptr);
    g_environment = nullptr;
    return end == -1 ? RC_GENERAL_ERROR : static_cast<ResultCode>(end);
}

INT_PTR CALLBACK calibration_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return init_calibration(dialog, reinterpret_cast<const CalibrationEnvironment*>(lparam));
    case WM_VSCROLL:
        return on_sensor_bar(dialog, X_AXIS, LOWORD(wparam), static_cast<short>(HIWORD(wparam)));
    case WM_HSCROLL:
        return on_sensor_bar(dialog, Y_AXIS, LOWORD(wparam), static_cast<short>(HIWORD(wparam)));
    case WM_COMMAND:
        return on_command(dialog, LOWORD(wparam));
    case WM_HELP:
        open_help(dialog);
        return TRUE;
    case WM_ACTIVATE:
        if (wparam == WA_INACTIVE) {  // a plain loss of activation, as for the main window
            end_keyboard_jogging(dialog);
        }
        return FALSE;
    }
    return FALSE;
}
