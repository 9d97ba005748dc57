#include "job_panel_rules.h"

#include <cstdio>
#include <cstring>

#include "mark_distances.h"

ResultCode send_condition_bar(const CutterLink& link, ConditionBar bar, std::int32_t value,
                              Settings* settings, MediaRecord* selected)
{
    if (bar == ConditionBar::Speed) {
        const ResultCode code = cut_speed_command(link, value);
        if (code == RC_SUCCESS) {
            settings->ActiveSpeed = selected->Speed = value;
        }
        return code;
    }
    const ResultCode code = cut_pressure_command(link, value);
    if (code == RC_SUCCESS) {
        settings->ActivePress = selected->Press = value;
    }
    return code;
}

CuttingValues chosen_media_values(const MediaRecord& media, std::int32_t cut_cond_adjust)
{
    const CuttingValues defaults{media.DefaultSpeed, media.DefaultPress};
    const CuttingValues own{media.Speed, media.Press};
    switch (media.ConfigurationMode) {
    case MEDIA_FIXED:      return defaults;
    case MEDIA_ADJUSTABLE: return cut_cond_adjust != 0 ? own : defaults;
    default:               return own;
    }
}

ResultCode select_media(const CutterLink& link, std::int32_t index, Settings* settings, MediaLibrary* library)
{
    if (index < 0 || index >= library->Count) {
        return RC_SUCCESS;
    }
    MediaRecord& media = library->Media[index];
    const CuttingValues values = chosen_media_values(media, settings->CutCondAdjust);
    const ResultCode code =
        cut_condition_command(link, media.ConditionNo, values.Speed, values.Press, media.CutterOffset);
    if (code != RC_SUCCESS) {
        return code;
    }
    settings->ActiveConditionNo = media.ConditionNo;
    settings->CutCondition = index;
    settings->ActiveSpeed = values.Speed;
    settings->ActivePress = values.Press;
    settings->ActiveOffset = media.CutterOffset;
    settings->ActiveCap = media.Cap;
    if (media.ConfigurationMode == MEDIA_FIXED) {
        // A fixed factory media starts again from its defaults whenever it is chosen.
        media.Speed = values.Speed;
        media.Press = values.Press;
    }
    return RC_SUCCESS;
}

ResultCode toggle_adjust_settings(const CutterLink& link, bool checked, const MediaRecord& selected,
                                  Settings* settings)
{
    const CuttingValues values = checked ? CuttingValues{selected.Speed, selected.Press}
                                         : CuttingValues{selected.DefaultSpeed, selected.DefaultPress};
    ResultCode code = cut_condition_command(link, settings->ActiveConditionNo, values.Speed, values.Press,
                                            settings->ActiveOffset);
    if (code == RC_SUCCESS && settings->RollAction != 0) {
        code = track_enhancing_command(link, checked ? settings->RollAction : 0);
    }
    if (code != RC_SUCCESS) {
        return code;
    }
    settings->ActiveSpeed = values.Speed;
    settings->ActivePress = values.Press;
    settings->CutCondAdjust = checked ? 1 : 0;
    return RC_SUCCESS;
}

ResultCode toggle_track_enhancing(const CutterLink& link, bool checked, Settings* settings)
{
    const std::int32_t roll_action = checked ? 0 : 1;
    const ResultCode code = track_enhancing_command(link, roll_action);
    if (code == RC_SUCCESS) {
        settings->RollAction = roll_action;
    }
    return code;
}

ResultCode set_orientation(const CutterLink& link, std::int32_t direction, bool checked, Settings* settings,
                           bool* changed)
{
    *changed = false;
    if (settings->Direction == direction || !checked) {
        return RC_SUCCESS;
    }
    const ResultCode code = orientation_command(link, direction);
    if (code == RC_SUCCESS) {
        settings->Direction = direction;
        *changed = true;
    }
    return code;
}

unsigned thickness_caption_id(const MediaRecord& media,
                              const char* const (&thin_media_names)[THIN_MEDIA_NAME_COUNT])
{
    if (media.ConfigurationMode == MEDIA_FIXED) {
        for (const char* name : thin_media_names) {
            if (std::strcmp(media.Name, name) == 0) {
                return IDS_THICKNESS_THIN_MEDIA;
            }
        }
    }
    return IDS_THICKNESS;
}

CommandLineValues take_command_line_values(std::int32_t direction, LaunchOptions* options)
{
    CommandLineValues values{false, 0, 0, false};
    const bool job_without_marks = options->CutMode == 1 && options->NoRegistrationMarks == 1;
    if (options->DistancesGiven == 1 && !job_without_marks) {
        if (check_mark_distances(direction, options->HorizontalDistance, options->VerticalDistance,
                                 UNIT_MILLIMETRES) == RC_SUCCESS) {
            // Taken as a user's typing would be: written out, then read back to one decimal.
            char horizontal[DISTANCE_TEXT_SIZE];  // checked: at most "970.000000"
            char vertical[DISTANCE_TEXT_SIZE];
            std::snprintf(horizontal, sizeof horizontal, "%lf", options->HorizontalDistance);
            std::snprintf(vertical, sizeof vertical, "%lf", options->VerticalDistance);
            const MarkDistances micrometres = parse_mark_distances(horizontal, vertical, UNIT_MILLIMETRES);
            options->HorizontalDistanceConverted = micrometres.Horizontal;
            options->VerticalDistanceConverted = micrometres.Vertical;
            values.ShowDistances = true;
            values.Horizontal = micrometres.Horizontal;
            values.Vertical = micrometres.Vertical;
        } else {
            options->LaunchResult = RC_DISTANCE_OPTION;
        }
    }
    if (options->MarkSizeGiven == 1) {
        if (check_mark_size(options->MarkSize) == RC_SUCCESS) {
            values.SendMarkSize = true;
        } else {
            options->LaunchResult = RC_MARK_SIZE_OPTION;
        }
    }
    return values;
}
