// Reading the registration marks and confirming the cut that releases a job in cut mode.
#ifndef CUTTER_CUT_SEQUENCE_H
#define CUTTER_CUT_SEQUENCE_H

#include <windows.h>

#include "job_panel.h"
#include "settings/media_library.h"
#include "settings/settings_record.h"

// Reads the marks at the distances in the job panel's edits: automatically, or (after the user
// confirmed that the blade is on the mark) manually. On success the distances become the stored
// ones. Clicks and keys given while the cutter worked are thrown away.
[[nodiscard]] ResultCode read_registration_marks(const JobPanelEnvironment& environment,
                                                 HWND job_panel, Settings* settings);

// "Cut...": reads the marks when the job has them and the search is on, asks the cutter whether
// it is ready (or the user whether to cut anyway), then saves and ends the run with 2. Returns a
// code to report when the run goes on; 0 when the user chose not to cut yet.
[[nodiscard]] ResultCode confirm_cut(const JobPanelEnvironment& environment, HWND job_panel,
                                     Settings* settings, const MediaLibrary& library);

#endif
