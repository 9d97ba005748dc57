// The thread-local keyboard, mouse and call-window-procedure filters of the main window's
// thread. They act only in the controller's own windows, never in other programs.
#ifndef CUTTER_INPUT_FILTERS_H
#define CUTTER_INPUT_FILTERS_H

#include <windows.h>

// Installs, in this order, the keyboard, mouse and call-window-procedure filters for `thread`.
void install_input_filters(DWORD thread);

// Removes them in the same order; each only when it is installed.
void remove_input_filters();

#endif
