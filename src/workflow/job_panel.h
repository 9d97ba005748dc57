// The job panel (dialog 11): media type, speed and thickness, orientation, registration marks and
// the button pad, in the upper frame of the main window.
#ifndef CUTTER_JOB_PANEL_H
#define CUTTER_JOB_PANEL_H

#include <windows.h>

#include "common/launch_options.h"
#include "common/program_paths.h"
#include "device/cutter_protocol.h"

// What the panel needs from the main window, handed over when the panel is created.
struct JobPanelEnvironment {
    HWND                main_window;  // owner of every message and dialog the panel shows
    const CutterLink*   link;
    const ProgramPaths* paths;        // help file, Media directory, animated instructions
    LaunchOptions*      options;      // read; the panel writes the converted distances and the launch result
};

// The panel's handle while it exists.
extern HWND g_job_panel;

// Creates the panel as a modeless child of the environment's main window, over its frame, and
// keeps the environment for the panel's handlers; its start-up takes the command line's
// distances and mark size and sends the mark size and the orientation. Returns the panel's handle, or null when it
// could not be created.
HWND create_job_panel(const JobPanelEnvironment& environment);

// The environment the panel was created with, for its own handlers and the dialogs it opens.
const JobPanelEnvironment& job_panel_environment();

INT_PTR CALLBACK job_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);

// Writes speed and thickness into their labels and moves both bars to them.
void show_cut_conditions(HWND panel, int speed, int thickness);

// Sets the thickness caption for the media at `index` of the library.
void set_thickness_caption(HWND panel, int index);

#endif
