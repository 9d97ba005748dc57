// Thin helpers over the program's own resources and its windows.
#ifndef CUTTER_WIN_TEXT_H
#define CUTTER_WIN_TEXT_H

#include <windows.h>

#include <string>

#include "launch_options.h"

// The module whose resources every lookup uses: the executable's own (a test program links the
// same resources into itself).
HINSTANCE resource_instance();

// Loads string-table entry `id` (at most 511 characters); empty when there is none.
std::string load_text(UINT id);

// The owner window named on the command line, or none when it names no window.
HWND owner_window(const LaunchOptions& options);

// Checks button `checked` of the radio group `first` to `last` (consecutive ids) and clears the
// others, as CheckRadioButton does. CheckRadioButton finds the group by walking every child of
// the dialog and each child's own children, which under Wine costs about 8 ms on the job panel;
// each of our groups is two buttons with consecutive ids, set here directly.
void check_radio_button(HWND dialog, int first, int last, int checked);

// Enables or disables a control, or shows or hides it, only when it is not in that state already:
// under Wine each call is a round trip to the server even when nothing changes, and disabling
// also sends WM_CANCELMODE. The guide sets some fifty controls at every step.
void enable_control(HWND control, bool enabled);
void show_control(HWND control, bool visible);

// The system Close command of a small dialog: ends it with `end_value`. True when `wparam` of
// WM_SYSCOMMAND was that command.
bool end_on_system_close(HWND dialog, WPARAM wparam, INT_PTR end_value);

#endif
