// The Settings record: the run's settings and state, kept between runs in QMACTL.INI. This
// header and its source hold `read settings` over any source of keys and media, the rules
// applied to the values read and the text of the values written; the profile calls sit in
// settings_file.cpp.
#ifndef CUTTER_SETTINGS_RECORD_H
#define CUTTER_SETTINGS_RECORD_H

#include <cstddef>
#include <cstdint>

#include "common/launch_options.h"
#include "device/cutter_protocol.h"
#include "media_library.h"

struct ScreenRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct Settings {
    char         FirmwareVersion[VERSION_TEXT_SIZE];  // as the version query reports it
    std::int32_t FileMediaMode;      // 1: media files; 0: the built-in table
    std::int32_t CutCondition;       // index of the selected media in the library and the list
    std::int32_t CutCondAdjust;      // "Adjust Settings": non-zero uses the adjusted speed and force
    std::int32_t ActiveConditionNo;  // the cutting conditions last sent to the cutter
    std::int32_t ActiveSpeed;
    std::int32_t ActivePress;
    std::int32_t ActiveOffset;
    std::int32_t ActiveCap;          // cap of the selected media
    std::int32_t Direction;          // 0 landscape, 1 portrait
    std::int32_t PosSet;             // registration marks in use
    std::int32_t TomboDisX;          // mark distances, micrometres
    std::int32_t TomboDisY;
    std::int32_t Unit;               // 0 millimetres, 1 inches
    std::int32_t CalibrationOpen;
    std::int32_t GuideMenu;          // operation guide shown
    ScreenRect   MainWindowRect;
    ScreenRect   GuideAreaRect;
    std::int32_t RollAction;         // track enhancing
    std::int32_t TomboAutoRead;      // automatic registration-mark search
    std::int32_t GuideStep;
    std::int32_t ThickMediaMode;
    std::int32_t MarkReadArg;        // first argument of both mark reads
};

// First argument of both registration-mark reads, set at every start.
constexpr std::int32_t START_MARK_READ_ARG = 1;

constexpr const char* SETTINGS_MAIN_SECTION = "Main_Section";
constexpr const char* SETTINGS_VERSION_SECTION = "Version_Section";

// The media selected when the settings file names none: the CP932 bytes of
// "トレミナ台紙なしカード" (card without craft paper backing).
constexpr const char* DEFAULT_MEDIA_NAME =
    "\x83\x67\x83\x8c\x83\x7e\x83\x69\x91\xe4\x8e\x86\x82\xc8\x82\xb5\x83\x4a\x81\x5b\x83\x68";

// Cutters whose firmware version starts with a number of 2.0 or more read their media from
// media files; older ones (and a text without a leading number) use the built-in table. The
// number is read as the C library reads a double, leading white space skipped. The text is
// looked at only up to `size` bytes.
bool firmware_reads_media_files(const char* firmware_version, std::size_t size);

// Keys kept as on/off flags: any non-zero value is on.
std::int32_t flag_value(std::int32_t value);

// "CutCondition" of the built-in table: outside 0 to 11 the first media.
std::int32_t built_in_selection(std::int32_t cut_condition);

// "CutPress": outside 1 to 3 it becomes 1.
std::int32_t cut_press_value(std::int32_t cut_press);

// Takes the cutting conditions to send from the selected media: condition number, offset and
// cap always; speed and force by its configuration mode and "Adjust Settings".
void take_selected_media(const MediaRecord& selected, Settings* settings);

// Argument of the track-enhancing command sent at start-up: the roll action only while the
// adjusted settings are in use.
std::int32_t start_track_enhancing(const Settings& settings);

// An orientation given on the command line replaces Direction when it is 0 or 1; any other
// value leaves Direction and marks the launch result for the message shown after start-up.
void apply_orientation_option(Settings* settings, LaunchOptions* options);

// The stored mark distances in millimetres as the start-up check judges them: cut toward zero
// to whole tenths of a millimetre.
struct MillimetreDistances {
    double Horizontal;
    double Vertical;
};
MillimetreDistances stored_distances_in_millimetres(std::int32_t tombo_dis_x,
                                                    std::int32_t tombo_dis_y);

// The millimetre range check of the registration-mark distances (direction, horizontal,
// vertical, unit): 0 when both lie in the range of the orientation. The start-up passes
// check_mark_distances of the registration-mark distances module.
using MarkDistanceCheck = ResultCode (*)(std::int32_t direction, double horizontal,
                                         double vertical, std::int32_t unit);

// How `read settings` reaches the settings file and the media. The program reads
// "Main_Section" of QMACTL.INI with the profile calls and the media from the Media directory
// (settings_file.cpp); tests and fuzzers give sources of their own.
struct SettingsReader {
    // The key's integer, or `fallback` when the key is missing.
    std::int32_t (*number)(const void* source, const char* key, std::int32_t fallback);
    // The key's text, or `fallback` when it is missing, into `size` bytes, always terminated.
    void (*text)(const void* source, const char* key, const char* fallback, char* text,
                 std::size_t size);
    // `load media files`: fills the library and gives the index of the last media named exactly
    // `select_name` (0 when none is).
    std::int32_t (*load_media_files)(const void* source, const char* select_name,
                                     MediaLibrary* library);
    // `load built-in media`: the 12 built-in media with their names.
    void (*load_built_in_media)(const void* source, MediaLibrary* library);
    const void* source;
};

// `read settings` over any reader: fills the Settings record (FirmwareVersion must already hold
// the cutter's version) and the media library, sending the cutting conditions on the way.
// Returns 0, RC_MEDIA_LIST_MISSING when no media file is usable, or the code of the first
// command that fails (the remaining steps are then not run). An orientation option outside 0
// and 1 sets the launch result of `options`.
[[nodiscard]] ResultCode read_settings_from(const SettingsReader& reader, const CutterLink& link,
                              MarkDistanceCheck check_distances, LaunchOptions* options,
                              Settings* settings, MediaLibrary* library);

// Keys of "Main_Section" in the order `save settings` writes them, after the version.
constexpr int SETTINGS_ENTRY_COUNT = 13;
void settings_entries(const Settings& settings, const MediaRecord& selected,
                      ProfileEntry entries[SETTINGS_ENTRY_COUNT]);

#endif
