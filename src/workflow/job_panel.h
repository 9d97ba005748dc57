// The job panel (dialog 11): media type, speed and thickness, orientation, registration marks and
// the button pad, in the upper frame of the main window.
#ifndef CUTTER_JOB_PANEL_H
#define CUTTER_JOB_PANEL_H

#include <windows.h>

// The panel's handle while it exists.
extern HWND g_job_panel;

// Creates the panel as a modeless child of the main window, over the main window's frame.
// Returns its handle, or null when it could not be created.
HWND create_job_panel(HWND main_window);

INT_PTR CALLBACK job_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);

#endif
