// The button pad in the job panel: the run's Pad state and pad rectangles, drawing the six keys,
// and what the job panel, the main window and the calibration dialog hand to the pad.
#ifndef CUTTER_PAD_PANEL_H
#define CUTTER_PAD_PANEL_H

#include <windows.h>

#include "common/result_code.h"
#include "device/cutter_protocol.h"
#include "positioning/button_pad.h"

extern PadState g_pad_state;
extern PadRectangles g_pad_rectangles;

// The job panel's initialisation: the Pad state becomes zeros and the rectangles are laid out
// from the template's dialog units (converted with the main window, the panel's parent, which
// uses the same dialog font). The panel is where the pad draws and captures the mouse.
void lay_out_button_pad(HWND panel);

// Draws the six keys between BeginPaint and EndPaint of the panel's WM_PAINT.
void paint_pad(HWND panel, PadState state, const PadRectangles& rectangles);
// The panel's background, with the keys as they stand drawn on it.
void erase_pad_background(HWND panel, HDC dc);

// WM_LBUTTONDOWN, WM_LBUTTONUP and WM_MOUSEMOVE of the job panel, with the message's lParam.
// Returns what the press or release returned, for the panel to report with the main window.
[[nodiscard]] ResultCode route_pad_pointer(UINT message, LPARAM lparam, const CutterLink& link);

// BN_CLICKED of either "Use Keyboard" box.
void use_keyboard_clicked();

// The main window or the calibration dialog lost activation: any jog is stopped, keyboard
// jogging ends and that window's "Use Keyboard" box (`box` in `dialog`) is unchecked. Returns
// what the release returned, for the window to report.
[[nodiscard]] ResultCode release_pad_on_deactivation(HWND dialog, int box, const CutterLink& link);

// The calibration dialog while it is open (nullptr otherwise): its "Use Keyboard" box goes with
// the job panel's.
void set_pad_calibration_dialog(HWND dialog);

// The job panel the pad was laid out in.
HWND pad_job_panel();

// The program's PadSurface: the job panel, the mouse capture, question 2100, both boxes.
const PadSurface& pad_surface();

#endif
