#include "run_end.h"

#include <windows.h>

#include "device/usb_transport.h"
#include "guide/animated_instructions.h"
#include "positioning/input_filters.h"
#include "settings/media_files.h"
#include "settings/settings_file.h"

void save_and_close(HWND main_window, const ProgramPaths& paths, const Settings& settings,
                    int end_value, const MediaLibrary& library)
{
    save_settings(paths.SettingsFile, settings, media_at(library, settings.CutCondition));
    save_media_files(paths.MediaDirectory, library);
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
