#include "settings_record.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The first firmware generation that keeps its media in media files.
constexpr double MEDIA_FILE_FIRMWARE = 2.0;

// The stored distances are judged in whole tenths of a millimetre.
constexpr std::int32_t MICROMETRES_PER_TENTH = 100;
constexpr double MILLIMETRES_PER_TENTH = 0.1;

void set_entry(ProfileEntry* entry, const char* key, const char* value)
{
    entry->Section = SETTINGS_MAIN_SECTION;
    entry->Key = key;
    std::snprintf(entry->Value, sizeof entry->Value, "%s", value);
}

void set_number(ProfileEntry* entry, const char* key, std::int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    set_entry(entry, key, text);
}

// Unit 0: the stored distances are checked in millimetres.
constexpr std::int32_t CHECK_IN_MILLIMETRES = 0;

// Sends one command; false (with its code kept) when it fails.
bool sent(const CutterLink& link, ResultCode (*command)(const CutterLink&, int), int argument,
          ResultCode* result)
{
    *result = command(link, argument);
    return *result == RC_SUCCESS;
}

}  // namespace

bool firmware_reads_media_files(const char* firmware_version, std::size_t size)
{
    char text[VERSION_TEXT_SIZE + 1];
    std::size_t length = 0;
    while (length < size && length < sizeof text - 1 && firmware_version[length] != '\0') {
        ++length;
    }
    std::memcpy(text, firmware_version, length);
    text[length] = '\0';
    char* end = nullptr;
    const double version = std::strtod(text, &end);
    // A text read as not-a-number fails this comparison and so counts as an old firmware.
    return end != text && version >= MEDIA_FILE_FIRMWARE;
}

std::int32_t flag_value(std::int32_t value)
{
    return value != 0 ? 1 : 0;
}

std::int32_t built_in_selection(std::int32_t cut_condition)
{
    return cut_condition < 0 || cut_condition >= BUILT_IN_MEDIA_COUNT ? 0 : cut_condition;
}

std::int32_t cut_press_value(std::int32_t cut_press)
{
    return force_in_range(cut_press) ? cut_press : FORCE_MIN;
}

void take_selected_media(const MediaRecord& selected, Settings* settings)
{
    settings->ActiveConditionNo = selected.ConditionNo;
    settings->ActiveOffset = selected.CutterOffset;
    settings->ActiveCap = selected.Cap;
    switch (selected.ConfigurationMode) {
    case MEDIA_FIXED:
    case MEDIA_ADJUSTABLE:
        settings->ActiveSpeed = settings->CutCondAdjust != 0 ? selected.Speed : selected.DefaultSpeed;
        settings->ActivePress = settings->CutCondAdjust != 0 ? selected.Press : selected.DefaultPress;
        break;
    case MEDIA_USER:
        settings->ActiveSpeed = selected.Speed;
        settings->ActivePress = selected.Press;
        break;
    default:
        break;  // an unknown mode sends what was sent before
    }
}

std::int32_t start_track_enhancing(const Settings& settings)
{
    return settings.CutCondAdjust != 0 ? settings.RollAction : 0;
}

void apply_orientation_option(Settings* settings, LaunchOptions* options)
{
    if (options->OrientationGiven == 0) {
        return;
    }
    if (options->Orientation == 0 || options->Orientation == 1) {
        settings->Direction = options->Orientation;
    } else {
        options->LaunchResult = RC_ORIENTATION_OPTION;
    }
}

MillimetreDistances stored_distances_in_millimetres(std::int32_t tombo_dis_x,
                                                    std::int32_t tombo_dis_y)
{
    // Integer division truncates toward zero: -99 micrometres counts as 0.0 mm.
    return MillimetreDistances{(tombo_dis_x / MICROMETRES_PER_TENTH) * MILLIMETRES_PER_TENTH,
                               (tombo_dis_y / MICROMETRES_PER_TENTH) * MILLIMETRES_PER_TENTH};
}

ResultCode read_settings_from(const SettingsReader& reader, const CutterLink& link,
                              MarkDistanceCheck check_distances, LaunchOptions* options,
                              Settings* settings, MediaLibrary* library)
{
    auto read_number = [&reader](const char* key, std::int32_t fallback) {
        return reader.number(reader.source, key, fallback);
    };

    settings->FileMediaMode =
        firmware_reads_media_files(settings->FirmwareVersion, sizeof settings->FirmwareVersion) ? 1 : 0;
    settings->GuideMenu = 0;
    if (settings->FileMediaMode != 0 && options->CutMode != 0) {
        settings->GuideMenu = flag_value(read_number("GuideMenu", 1));
    }

    settings->CutCondAdjust = read_number("CutCondAdjust", 0);

    if (settings->FileMediaMode != 0) {
        // Read whole, so that a name of full length (64 characters) is found again and a longer
        // one matches no media.
        char media_name[MEDIA_PROFILE_TEXT_SIZE];
        reader.text(reader.source, "MediaName", DEFAULT_MEDIA_NAME, media_name, sizeof media_name);
        settings->CutCondition = reader.load_media_files(reader.source, media_name, library);
        if (library->Count == 0) {
            return RC_MEDIA_LIST_MISSING;
        }
    } else {
        reader.load_built_in_media(reader.source, library);
        settings->CutCondition = built_in_selection(read_number("CutCondition", 0));
    }

    MediaRecord& selected = library->Media[settings->CutCondition];
    if (selected.ConfigurationMode == MEDIA_FIXED) {
        selected.Speed = read_number("CutSpeed", SPEED_MIN);
        selected.Press = cut_press_value(read_number("CutPress", FORCE_MIN));
    }
    take_selected_media(selected, settings);
    ResultCode result = RC_SUCCESS;
    if (!sent(link, condition_number_command, settings->ActiveConditionNo, &result) ||
        !sent(link, cut_speed_command, settings->ActiveSpeed, &result) ||
        !sent(link, cut_pressure_command, settings->ActivePress, &result) ||
        !sent(link, cutter_offset_command, settings->ActiveOffset, &result)) {
        return result;
    }

    settings->RollAction = flag_value(read_number("RollAction", 0));
    if (!sent(link, track_enhancing_command, start_track_enhancing(*settings), &result)) {
        return result;
    }
    settings->ThickMediaMode = 0;
    if (!sent(link, thick_media_command, settings->ThickMediaMode, &result)) {
        return result;
    }

    settings->Direction = read_number("Direction", 0);
    apply_orientation_option(settings, options);

    settings->PosSet = read_number("PosSet", 0);

    settings->TomboDisX = read_number("TomboDisX", 0);
    settings->TomboDisY = read_number("TomboDisY", 0);
    const MillimetreDistances stored =
        stored_distances_in_millimetres(settings->TomboDisX, settings->TomboDisY);
    if (check_distances(settings->Direction, stored.Horizontal, stored.Vertical,
                        CHECK_IN_MILLIMETRES) != RC_SUCCESS) {
        settings->TomboDisX = 0;
        settings->TomboDisY = 0;
    }

    settings->TomboAutoRead = flag_value(read_number("TomboAutoRead", 1));
    settings->MarkReadArg = START_MARK_READ_ARG;

    settings->Unit = read_number("Unit", 1);
    settings->CalibrationOpen = 0;
    return RC_SUCCESS;
}

void settings_entries(const Settings& settings, const MediaRecord& selected,
                      ProfileEntry entries[SETTINGS_ENTRY_COUNT])
{
    set_entry(&entries[0], "GuideMenu", settings.GuideMenu != 0 ? "1" : "0");
    set_entry(&entries[1], "MediaName", selected.Name);
    set_number(&entries[2], "CutCondAdjust", settings.CutCondAdjust);
    set_number(&entries[3], "RollAction", flag_value(settings.RollAction));
    set_number(&entries[4], "Direction", settings.Direction);
    set_number(&entries[5], "PosSet", settings.PosSet);
    set_number(&entries[6], "TomboDisX", settings.TomboDisX);
    set_number(&entries[7], "TomboDisY", settings.TomboDisY);
    set_number(&entries[8], "TomboAutoRead", flag_value(settings.TomboAutoRead));
    set_number(&entries[9], "Unit", settings.Unit);
    set_number(&entries[10], "CutCondition", settings.CutCondition);
    set_number(&entries[11], "CutSpeed", selected.Speed);
    set_number(&entries[12], "CutPress", selected.Press);
}
