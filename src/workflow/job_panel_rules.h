// What the job panel's controls do to the cutting conditions, without the platform: the scales of
// the speed and thickness bars, which speed and thickness a media type brings, the switches and
// the orientation (each sent at once and stored only when the cutter took it), the thickness
// caption and the values the printing side gave on the command line. The panel's procedure
// (job_panel.cpp) turns messages into these calls and shows what they decided.
#ifndef CUTTER_JOB_PANEL_RULES_H
#define CUTTER_JOB_PANEL_RULES_H

#include <cstdint>

#include "common/bar_step.h"
#include "device/cutter_protocol.h"
#include "settings/media_library.h"
#include "settings/settings_record.h"

enum class ConditionBar { Speed, Thickness };

// The speed bar moves over the media's speeds, 5 to a page; the thickness bar over its forces,
// 1 to a page. A bar steps from the selected media's Speed or Press.
constexpr BarScale CONDITION_SPEED_SCALE{SPEED_MIN, SPEED_MAX, 5};
constexpr BarScale CONDITION_THICKNESS_SCALE{FORCE_MIN, FORCE_MAX, 1};

// Sends the speed or the thickness alone; when the cutter took it, ActiveSpeed and the media's
// Speed (or ActivePress and its Press) become `value`.
[[nodiscard]] ResultCode send_condition_bar(const CutterLink& link, ConditionBar bar, std::int32_t value,
                                            Settings* settings, MediaRecord* selected);

struct CuttingValues {
    std::int32_t Speed;
    std::int32_t Press;
};

// The speed and thickness a media type is cut with when the user chooses it: a fixed factory
// media always starts from its defaults, an adjustable one uses its adjusted values while
// "Adjust Settings" is on, a user's own media always its own values.
CuttingValues chosen_media_values(const MediaRecord& media, std::int32_t cut_cond_adjust);

// Choosing entry `index` of the media list: the media's full cutting conditions go to the cutter
// in one command; only when it took them do they become the active ones and CutCondition the
// index (a fixed media's adjusted values are reset to its defaults). An index outside the library
// changes nothing.
[[nodiscard]] ResultCode select_media(const CutterLink& link, std::int32_t index, Settings* settings,
                                      MediaLibrary* library);

// "Adjust Settings" switched to `checked`: the selected media's adjusted values (checked) or its
// defaults go to the cutter, then the track enhancing that goes with the switch when the user
// turned track enhancing off (RollAction not 0). Stored only when both were taken.
[[nodiscard]] ResultCode toggle_adjust_settings(const CutterLink& link, bool checked,
                                                const MediaRecord& selected, Settings* settings);

// "Track Enhancing" switched to `checked`. The cutter's argument, like RollAction, is 0 for a
// checked box and 1 for an unchecked one.
[[nodiscard]] ResultCode toggle_track_enhancing(const CutterLink& link, bool checked, Settings* settings);

// The orientation button of `direction` was clicked; `checked` is its state now. Nothing is sent
// when the orientation is already set or the button is not checked. *changed tells whether
// Direction took the new value.
[[nodiscard]] ResultCode set_orientation(const CutterLink& link, std::int32_t direction, bool checked,
                                         Settings* settings, bool* changed);

// The media names (string ids) whose thickness caption is IDS_THICKNESS_THIN_MEDIA when they are
// fixed factory media.
constexpr int THIN_MEDIA_NAME_COUNT = 4;
constexpr unsigned THIN_MEDIA_NAME_IDS[THIN_MEDIA_NAME_COUNT] = {
    IDS_MEDIA_VINYL_FILM, IDS_MEDIA_FILM_LABELS, IDS_MEDIA_MAGNETIC_SHEET, IDS_MEDIA_THIN};

// String id of the thickness caption for a media type, given the texts of THIN_MEDIA_NAME_IDS
// (compared exactly, case included).
unsigned thickness_caption_id(const MediaRecord& media,
                              const char* const (&thin_media_names)[THIN_MEDIA_NAME_COUNT]);

// What the panel does at its start with the distances and the mark size of the command line.
struct CommandLineValues {
    bool         ShowDistances;  // show Horizontal and Vertical in the edits
    std::int32_t Horizontal;     // micrometres, one decimal of a millimetre kept
    std::int32_t Vertical;
    bool         SendMarkSize;   // the mark size passed its check: send it
};

// Distances given (unless the job is cut without registration marks) are checked in millimetres
// for the orientation: in range they are converted into the launch options' converted distances
// and shown; out of range the launch result becomes 251. A mark size given outside its range
// makes the launch result 252 (replacing any earlier one), in range it is sent.
CommandLineValues take_command_line_values(std::int32_t direction, LaunchOptions* options);

#endif
