// The cutter's own commands for `read settings`, apart from it so that a program that hands in
// commands of its own does not need the device link.
#include "device/cutter_commands.h"
#include "settings_file.h"

const ConditionCommands CUTTER_CONDITION_COMMANDS = {
    condition_number_command, cut_speed_command,       cut_pressure_command,
    cutter_offset_command,    track_enhancing_command, thick_media_command,
};
