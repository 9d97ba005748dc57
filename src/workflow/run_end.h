// The ends of a run: saving the settings and the media files, and shutting the controller down
// with the end value that becomes the process exit code.
#ifndef CUTTER_RUN_END_H
#define CUTTER_RUN_END_H

#include <windows.h>

#include "common/program_paths.h"
#include "settings/media_library.h"
#include "settings/settings_record.h"

// End values of the main window, which the starting program receives as the exit code.
constexpr int END_CLOSED = 0;          // not in cut mode: Close or the window closed
constexpr int END_CANCELLED = 1;       // cut mode: Cancel or the window closed
constexpr int END_CUT_CONFIRMED = 2;   // cut mode: the cut was confirmed
constexpr int END_START_FAILED = 101;  // the start-up sequence failed; nothing is saved

// Called once, when the start-up sequence has completed: from then on the Settings record and
// the Media library hold what the run read, and the ends of the run may save them. Until then
// no end of the run saves anything, whatever message asked for it, so a record that start-up
// never filled (or filled in part) cannot overwrite the files; the failed start-up's own shut
// down comes last and ends the run with END_START_FAILED.
void mark_start_up_complete();
bool start_up_complete();

// Saves the settings and the media files into the files of `paths` (only after a completed
// start-up), then shuts down with `end_value`.
void save_and_close(HWND main_window, const ProgramPaths& paths, const Settings& settings,
                    int end_value, const MediaLibrary& library);

// Frees the printer list, removes the input filters, closes the transfer events and the
// animated instructions, and ends the main window with `end_value`.
void shut_down_controller(HWND main_window, int end_value);

#endif
