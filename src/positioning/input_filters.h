// The thread-local keyboard, mouse and call-window-procedure filters of the main window's
// thread. They act only in the controller's own windows, never in other programs.
#ifndef CUTTER_INPUT_FILTERS_H
#define CUTTER_INPUT_FILTERS_H

#include <windows.h>

#include <cstdint>

#include "device/cutter_protocol.h"

// What the filters work with for the rest of the run: the main window (its thread, the owner of
// what they report, the window the dialogs are centred over), the cutter link of the arrow keys,
// the main window's full-size width and height, taken at start-up, and the dialog procedure of
// the one dialog that keeps the position of its template instead of being centred.
struct InputFilterSetup {
    HWND main_window;
    const CutterLink* link;
    std::int32_t full_width, full_height;
    DLGPROC template_placed_dialog;
};

// Installs, in this order, the keyboard, mouse and call-window-procedure filters for the main
// window's thread.
void install_input_filters(const InputFilterSetup& setup);

// Removes them in the same order; each only when it is installed.
void remove_input_filters();

#endif
