// The operation guide in the lower part of the main window: the current step's title and text,
// Previous and Next, and hiding or showing the guide (the window shortened by the guide area).
#ifndef CUTTER_OPERATION_GUIDE_H
#define CUTTER_OPERATION_GUIDE_H

#include <windows.h>

#include "common/launch_options.h"
#include "settings/settings_record.h"

// The full refresh for the current GuideStep and GuideMenu.
void show_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, std::int32_t configuration_mode);

// One step back or on (nothing at the first or last step), then the full refresh.
void previous_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                         const LaunchOptions& options, std::int32_t configuration_mode);
void next_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, std::int32_t configuration_mode);

// Hides a shown guide or shows a hidden one; the step stays.
void toggle_guide(HWND main_window, HWND job_panel, Settings* settings,
                  const LaunchOptions& options, std::int32_t configuration_mode);

// The step's title and text, the guide's buttons and the window's height.
void show_guide_text(HWND main_window, HWND job_panel, const Settings& settings,
                     const LaunchOptions& options);

#endif
