#include "run_end.h"

#include <windows.h>

#include "device/usb_transport.h"
#include "guide/animated_instructions.h"
#include "positioning/input_filters.h"
#include "settings/media_files.h"
#include "settings/settings_file.h"

namespace {

// Set once the start-up sequence has filled the Settings record and the Media library. A close,
// OK or Cancel that reaches the main window while a start-up failure is shown (or queued during
// a long start-up command) must not save a record that was never filled, or only in part.
bool g_start_up_complete = false;

}  // namespace

void mark_start_up_complete() { g_start_up_complete = true; }
bool start_up_complete() { return g_start_up_complete; }

void save_and_close(HWND main_window, const ProgramPaths& paths, const Settings& settings,
                    int end_value, const MediaLibrary& library)
{
    if (g_start_up_complete) {
        save_settings(paths.SettingsFile, settings, media_at(library, settings.CutCondition));
        save_media_files(paths.MediaDirectory, library);
    }
    shut_down_controller(main_window, end_value);
}

void shut_down_controller(HWND main_window, int end_value)
{
    free_cutter_printer_list();
    remove_input_filters();
    close_transfer_events();
    close_animated_instructions();
    EndDialog(main_window, end_value);
}
