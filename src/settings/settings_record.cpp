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
    if (end == text || version < MEDIA_FILE_FIRMWARE) {
        return false;
    }
    return true;
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
