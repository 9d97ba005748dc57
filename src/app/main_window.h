// The main window (dialog 10): the job panel above, the operation guide below.
#ifndef CUTTER_MAIN_WINDOW_H
#define CUTTER_MAIN_WINDOW_H

#include <windows.h>

// The main window's handle while it exists: owner of messages, parent of the small dialogs.
extern HWND g_main_window;

INT_PTR CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

#endif
