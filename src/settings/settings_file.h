// The settings file QMACTL.INI: `read settings` at start-up, with the media library and the
// cutting conditions sent between its steps, and `save settings` at the end of a run.
#ifndef CUTTER_SETTINGS_FILE_H
#define CUTTER_SETTINGS_FILE_H

#include "common/launch_options.h"
#include "common/result_code.h"
#include "media_library.h"
#include "settings_record.h"

// The run's one Settings record. Only the window procedures reach for it; every operation
// receives it as a parameter.
extern Settings g_settings;

// Everything `read settings` reads, in the order the start-up needs it.
struct SettingsSources {
    const char*       SettingsFile;    // QMACTL.INI
    const char*       MediaDirectory;  // the Media directory, no trailing separator
    MarkDistanceCheck CheckDistances;
};

// read_settings_from (settings_record.h) over the settings file, through the profile calls, and
// the media files of the Media directory or the built-in media of the string table; the cutting
// conditions go to the cutter over `link`.
[[nodiscard]] ResultCode read_settings(const SettingsSources& sources, const CutterLink& link,
                                       LaunchOptions* options, Settings* settings,
                                       MediaLibrary* library);

// Writes the version and the 13 keys of "Main_Section" in their order.
void save_settings(const char* settings_file, const Settings& settings,
                   const MediaRecord& selected);

#endif
