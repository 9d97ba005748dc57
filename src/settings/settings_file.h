// The settings file QMACTL.INI: `read settings` at start-up, with the media library and the
// cutting conditions sent between its steps, and `save settings` at the end of a run.
#ifndef CUTTER_SETTINGS_FILE_H
#define CUTTER_SETTINGS_FILE_H

#include "app/launch_options.h"
#include "app/result_code.h"
#include "media_library.h"
#include "settings_record.h"

// The run's one Settings record. Only the window procedures reach for it; every operation
// receives it as a parameter.
extern Settings g_settings;

// The cutter's own condition commands (condition_commands.cpp), which the run hands to
// `read settings`; a test may hand in its own to see what is sent and to make one fail.
extern const ConditionCommands CUTTER_CONDITION_COMMANDS;

// Everything `read settings` reads and what it sends, in the order the start-up needs them.
struct SettingsSources {
    const char*              SettingsFile;    // QMACTL.INI
    const char*              MediaDirectory;  // the Media directory, no trailing separator
    const ConditionCommands* Commands;
    MarkDistanceCheck        CheckDistances;
};

// read_settings_from (settings_record.h) over the settings file, through the profile calls, and
// the media files of the Media directory or the built-in media of the string table.
ResultCode read_settings(const SettingsSources& sources, LaunchOptions* options,
                         Settings* settings, MediaLibrary* library);

// Writes the version and the 13 keys of "Main_Section" in their order.
void save_settings(const char* settings_file, const Settings& settings,
                   const MediaRecord& selected);

#endif
