// The operation guide in the lower part of the main window: the current step's title and text,
// Previous and Next, hiding or showing the guide (the window shortened by the guide area), and
// the refresh operations that decide which of the job panel's controls are offered.
#ifndef CUTTER_OPERATION_GUIDE_H
#define CUTTER_OPERATION_GUIDE_H

#include <windows.h>

#include "common/launch_options.h"
#include "guide/pad_link.h"
#include "settings/settings_record.h"

// The full refresh for the current GuideStep and GuideMenu: the guide's text, then the media,
// orientation, mark, set-origin, blade-position and cut controls, in this order (the mark
// controls may force PosSet, which the last three read).
void show_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, PadState* pad, const PadRectangles& rectangles,
                     std::int32_t configuration_mode);

// One step back or on (nothing at the first or last step), then the full refresh.
void previous_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                         const LaunchOptions& options, PadState* pad,
                         const PadRectangles& rectangles, std::int32_t configuration_mode);
void next_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, PadState* pad, const PadRectangles& rectangles,
                     std::int32_t configuration_mode);

// Hides a shown guide or shows a hidden one; the step stays.
void toggle_guide(HWND main_window, HWND job_panel, Settings* settings,
                  const LaunchOptions& options, PadState* pad, const PadRectangles& rectangles,
                  std::int32_t configuration_mode);

// The step's title and text, the guide's buttons and the window's height.
void show_guide_text(HWND main_window, HWND job_panel, const Settings& settings,
                     const LaunchOptions& options);

// Media type, "Adjust Settings", speed and thickness, "Track Enhancing", the cap pictures and
// text, and the pad's test cut button. User media (ConfigurationMode 2) forces CutCondAdjust 1.
void update_media_controls(HWND job_panel, Settings* settings, PadState* pad,
                           const PadRectangles& rectangles, std::int32_t configuration_mode);

// "Design Orientation": offered, and the radio button of Direction checked.
void update_orientation_controls(HWND job_panel, const Settings& settings);

// "Registration Marks", "Search Registration Mark", the distances and the reading button. A job
// without marks forces PosSet 0; distances given on the command line force PosSet 1.
void update_mark_controls(HWND job_panel, Settings* settings, const LaunchOptions& options);

// The pad's set origin button and its label.
void update_set_origin(HWND job_panel, const Settings& settings, PadState* pad,
                       const PadRectangles& rectangles);

// The pad's jog arrows, their label and "Use Keyboard".
void update_blade_position(HWND job_panel, const Settings& settings, PadState* pad,
                           const PadRectangles& rectangles);

// Button 1 ("Cut..." or "Close") and the orientation picture.
void update_cut_button(HWND job_panel, const Settings& settings, const LaunchOptions& options);

#endif
