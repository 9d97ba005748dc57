#include "settings_file.h"

#include <windows.h>

#include "app/win_text.h"
#include "media_files.h"

Settings g_settings;

namespace {

// Unit 0: the stored distances are checked in millimetres.
constexpr std::int32_t CHECK_IN_MILLIMETRES = 0;

std::int32_t read_number(const char* key, INT fallback, const char* file)
{
    return static_cast<std::int32_t>(
        GetPrivateProfileIntA(SETTINGS_MAIN_SECTION, key, fallback, file));
}

// Sends one command; false (with its code kept) when it fails.
bool sent(ResultCode (*command)(int), int argument, ResultCode* result)
{
    *result = command(argument);
    return *result == RC_SUCCESS;
}

}  // namespace

ResultCode read_settings(const SettingsSources& sources, LaunchOptions* options,
                         Settings* settings, MediaLibrary* library)
{
    const char* file = sources.SettingsFile;
    const ConditionCommands& commands = *sources.Commands;

    settings->FileMediaMode =
        firmware_reads_media_files(settings->FirmwareVersion, sizeof settings->FirmwareVersion) ? 1 : 0;
    settings->GuideMenu = 0;
    if (settings->FileMediaMode != 0 && options->CutMode != 0) {
        settings->GuideMenu = flag_value(read_number("GuideMenu", 1, file));
    }

    settings->CutCondAdjust = read_number("CutCondAdjust", 0, file);

    if (settings->FileMediaMode != 0) {
        // Read whole, so that a name of full length (64 characters) is found again and a longer
        // one matches no media.
        char media_name[MEDIA_PROFILE_TEXT_SIZE];
        GetPrivateProfileStringA(SETTINGS_MAIN_SECTION, "MediaName", DEFAULT_MEDIA_NAME,
                                 media_name, sizeof media_name, file);
        settings->CutCondition = load_media_files(sources.MediaDirectory, media_name, library);
        if (library->Count == 0) {
            return RC_MEDIA_LIST_MISSING;
        }
    } else {
        load_built_in_media(library);
        settings->CutCondition = built_in_selection(read_number("CutCondition", 0, file));
    }

    MediaRecord& selected = library->Media[settings->CutCondition];
    if (selected.ConfigurationMode == MEDIA_FIXED) {
        selected.Speed = read_number("CutSpeed", SPEED_MIN, file);
        selected.Press = cut_press_value(read_number("CutPress", FORCE_MIN, file));
    }
    take_selected_media(selected, settings);
    ResultCode result = RC_SUCCESS;
    if (!sent(commands.condition_number, settings->ActiveConditionNo, &result) ||
        !sent(commands.cut_speed, settings->ActiveSpeed, &result) ||
        !sent(commands.cut_pressure, settings->ActivePress, &result) ||
        !sent(commands.cutter_offset, settings->ActiveOffset, &result)) {
        return result;
    }

    settings->RollAction = flag_value(read_number("RollAction", 0, file));
    if (!sent(commands.track_enhancing, start_track_enhancing(*settings), &result)) {
        return result;
    }
    settings->ThickMediaMode = 0;
    if (!sent(commands.thick_media, settings->ThickMediaMode, &result)) {
        return result;
    }

    settings->Direction = read_number("Direction", 0, file);
    apply_orientation_option(settings, options);

    settings->PosSet = read_number("PosSet", 0, file);

    settings->TomboDisX = read_number("TomboDisX", 0, file);
    settings->TomboDisY = read_number("TomboDisY", 0, file);
    const MillimetreDistances stored =
        stored_distances_in_millimetres(settings->TomboDisX, settings->TomboDisY);
    if (sources.CheckDistances(settings->Direction, stored.Horizontal, stored.Vertical,
                               CHECK_IN_MILLIMETRES) != RC_SUCCESS) {
        settings->TomboDisX = 0;
        settings->TomboDisY = 0;
    }

    settings->TomboAutoRead = flag_value(read_number("TomboAutoRead", 1, file));
    settings->MarkReadArg = START_MARK_READ_ARG;

    settings->Unit = read_number("Unit", 1, file);
    settings->CalibrationOpen = 0;
    return RC_SUCCESS;
}

void save_settings(const char* settings_file, const Settings& settings, const MediaRecord& selected)
{
    WritePrivateProfileStringA(SETTINGS_VERSION_SECTION, "Version",
                               load_text(IDS_PRODUCT_VERSION).c_str(), settings_file);
    ProfileEntry entries[SETTINGS_ENTRY_COUNT];
    settings_entries(settings, selected, entries);
    for (const ProfileEntry& entry : entries) {
        WritePrivateProfileStringA(entry.Section, entry.Key, entry.Value, settings_file);
    }
}
