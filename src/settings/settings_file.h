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

// The commands `read settings` sends between its steps. The run uses the cutter's own
// (CUTTER_CONDITION_COMMANDS, condition_commands.cpp); a test may hand in its own to see what is
// sent and to make any one of them fail.
struct ConditionCommands {
    ResultCode (*condition_number)(int condition_number);
    ResultCode (*cut_speed)(int speed);
    ResultCode (*cut_pressure)(int pressure);
    ResultCode (*cutter_offset)(int offset);
    ResultCode (*track_enhancing)(int on);
    ResultCode (*thick_media)(int on);
};
extern const ConditionCommands CUTTER_CONDITION_COMMANDS;

// The millimetre range check of the registration-mark distances (direction, horizontal,
// vertical, unit): 0 when both lie in the range of the orientation. The start-up passes
// check_mark_distances of the registration-mark distances module.
using MarkDistanceCheck = ResultCode (*)(std::int32_t direction, double horizontal,
                                         double vertical, std::int32_t unit);

// Everything `read settings` reads and what it sends, in the order the start-up needs them.
struct SettingsSources {
    const char*              SettingsFile;    // QMACTL.INI
    const char*              MediaDirectory;  // the Media directory, no trailing separator
    const ConditionCommands* Commands;
    MarkDistanceCheck        CheckDistances;
};

// Fills the Settings record (FirmwareVersion must already hold the cutter's version) and the
// media library from the settings file and the media, sending the cutting conditions on the
// way. Returns 0, RC_MEDIA_LIST_MISSING when no media file is usable, or the code of the first
// command that fails (the remaining steps are then not run). An orientation option outside 0
// and 1 sets the launch result of `options`.
ResultCode read_settings(const SettingsSources& sources, LaunchOptions* options,
                         Settings* settings, MediaLibrary* library);

// Writes the version and the 13 keys of "Main_Section" in their order.
void save_settings(const char* settings_file, const Settings& settings,
                   const MediaRecord& selected);

#endif
