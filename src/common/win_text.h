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

// The system Close command of a small dialog: ends it with `end_value`. True when `wparam` of
// WM_SYSCOMMAND was that command.
bool end_on_system_close(HWND dialog, WPARAM wparam, INT_PTR end_value);

#endif
