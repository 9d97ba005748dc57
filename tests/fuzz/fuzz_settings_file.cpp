// Runs `read settings` on random settings files, media directories (see fuzz_support.h) and
// firmware versions: the first byte holds the launch options and which condition command fails,
// then come the version line and "Main_Section" keys. Checked: the result, the commands sent and
// the values kept in range; the keys `save settings` writes read back to the same settings.
#include <algorithm>
#include <cstring>

#include "fuzz_support.h"
#include "device/cutter_protocol.h"
#include "settings/settings_record.h"
#include "workflow/mark_distances.h"

namespace {

struct Sources {
    Keys main;  // "Main_Section" only
    std::vector<MediaFile> media;
};

std::int32_t main_number(const void* source, const char* key, std::int32_t fallback)
{
    return keys_number(&static_cast<const Sources*>(source)->main, SETTINGS_MAIN_SECTION, key, fallback);
}

void main_text(const void* source, const char* key, const char* fallback, char* text, std::size_t size)
{
    keys_text(&static_cast<const Sources*>(source)->main, SETTINGS_MAIN_SECTION, key, fallback, text, size);
}

// A Media directory of the input's media files, listed in input order.
struct Folder {
    const std::vector<MediaFile>* files;
    std::size_t next;
    std::vector<std::string> names;  // media names listed so far
};

bool next_entry(void* folder, MediaFolderEntry* entry)
{
    Folder& f = *static_cast<Folder*>(folder);
    for (; f.next < f.files->size(); ++f.next) {
        // A folder holds one file of a name (names alike but for case are no concern here).
        const MediaFile& file = (*f.files)[f.next];
        char name[MEDIA_NAME_SIZE] = {};
        media_name_from_file_name(file.entry.c_str(), name);
        if (std::find(f.names.begin(), f.names.end(), name) == f.names.end()) {
            f.names.push_back(name);
            *entry = MediaFolderEntry{file.entry.c_str(), false};
            ++f.next;
            return true;
        }
    }
    return false;
}

// The file just listed: the scan reads the entry it was given.
bool read_file(void* folder, const char*, MediaFileValues* values)
{
    const Folder& f = *static_cast<const Folder*>(folder);
    return read_media_file_values(MediaFileReader{keys_number, keys_text, &(*f.files)[f.next - 1].keys}, values);
}

// `load media files`: the program's own scan over the folder.
std::int32_t load_files(const void* source, const char* select_name, MediaLibrary* library)
{
    Folder folder{&static_cast<const Sources*>(source)->media, 0, {}};
    return scan_media_folder(MediaFolder{next_entry, read_file, &folder}, select_name, library);
}

void load_built_in(const void*, MediaLibrary* library)
{
    fill_built_in_media(library);
    for (int i = 0; i < BUILT_IN_MEDIA_COUNT; ++i) {
        std::snprintf(library->Media[i].Name, BUILT_IN_NAME_SIZE, "built-in %d", i);
    }
}

// The link notes every command sent; the write numbered g_failing fails.
std::vector<std::string> g_sent;
int g_failing = -1;

ResultCode note(const void* bytes, std::uint32_t count, std::uint32_t)
{
    g_sent.emplace_back(static_cast<const char*>(bytes), count);
    return static_cast<int>(g_sent.size()) - 1 == g_failing ? RC_GENERAL_ERROR : RC_SUCCESS;
}

ResultCode no_reply(void*, std::uint32_t, std::uint32_t) { return RC_GENERAL_ERROR; }

const CutterLink RECORDING = {[](const char*) {}, note, no_reply, [](std::uint32_t) {}, nullptr, DEMO_OFF};

// The condition commands in the order `read settings` sends them.
using Condition = ResultCode (*)(const CutterLink&, int);
const Condition CONDITIONS[6] = {condition_number_command, cut_speed_command, cut_pressure_command,
                                 cutter_offset_command,    track_enhancing_command, thick_media_command};
const CommandRow* const ROWS[6] = {&CONDITION_NUMBER_ROW, &CUT_SPEED_ROW,       &CUT_PRESSURE_ROW,
                                   &CUTTER_OFFSET_ROW,    &TRACK_ENHANCING_ROW, &THICK_MEDIA_ROW};

// The bytes condition command `i` sends for `argument`.
std::string wire(std::size_t i, int argument)
{
    std::vector<std::string> kept;
    kept.swap(g_sent);
    const int failing = g_failing;
    g_failing = -1;
    (void)CONDITIONS[i](RECORDING, argument);
    const std::string bytes = g_sent.empty() ? std::string() : g_sent[0];
    g_sent.swap(kept);
    g_failing = failing;
    return bytes;
}

struct Run {
    ResultCode code;
    Settings settings;
    LaunchOptions options;
    MediaLibrary library;
    std::vector<std::string> sent;
};

void read(const Sources& sources, const std::string& firmware, const LaunchOptions& options, Run* run)
{
    std::memset(&run->settings, 0x5A, sizeof run->settings);
    copy_text(firmware, run->settings.FirmwareVersion, sizeof run->settings.FirmwareVersion);
    run->options = options;
    g_sent.clear();
    run->code = read_settings_from(SettingsReader{main_number, main_text, load_files, load_built_in, &sources},
                                   RECORDING, check_mark_distances, &run->options, &run->settings,
                                   &run->library);
    run->sent = g_sent;
}

void check_run(const Run& run, const LaunchOptions& options)
{
    const Settings& s = run.settings;
    check(s.FileMediaMode == 0 || s.FileMediaMode == 1, "FileMediaMode is a flag");
    check(s.GuideMenu == 0 || (s.GuideMenu == 1 && s.FileMediaMode == 1 && options.CutMode != 0),
          "the guide only in cut mode with media files");
    if (run.code == RC_MEDIA_LIST_MISSING) {
        check(s.FileMediaMode == 1 && run.library.Count == 0 && run.sent.empty(),
              "61 only for an empty media directory, before anything is sent");
        return;
    }
    check(run.library.Count > 0 && s.CutCondition >= 0 && s.CutCondition < run.library.Count,
          "the selection is a media of the library");
    const MediaRecord& selected = run.library.Media[s.CutCondition];
    const int expected[6] = {s.ActiveConditionNo, s.ActiveSpeed, s.ActivePress, s.ActiveOffset,
                             s.CutCondAdjust != 0 ? flag_value(s.RollAction) : 0, 0};
    check(!run.sent.empty() && run.sent.size() <= 6, "commands sent");
    for (std::size_t i = 0; i < run.sent.size(); ++i) {
        check(run.sent[i] == wire(i, expected[i]), "commands sent in their order, with the values taken");
    }
    check(s.ActiveConditionNo == selected.ConditionNo && s.ActiveOffset == selected.CutterOffset &&
              s.ActiveCap == selected.Cap,
          "conditions of the selected media");
    check(force_in_range(s.ActivePress), "the force sent is 1 to 3");
    if (selected.ConfigurationMode != MEDIA_FIXED) {
        check(speed_in_range(s.ActiveSpeed), "a media file's speed is 1 to 10");
    }
    if (run.code != RC_SUCCESS) {
        check(run.code == ROWS[run.sent.size() - 1]->failure,
              "the failing command's code, and nothing sent after it");
        return;
    }
    check(run.sent.size() == 6, "all six commands on success");
    check(s.RollAction == flag_value(s.RollAction) && s.TomboAutoRead == flag_value(s.TomboAutoRead),
          "flags are 0 or 1");
    check(s.ThickMediaMode == 0 && s.MarkReadArg == START_MARK_READ_ARG && s.CalibrationOpen == 0,
          "fixed start values");
    const MillimetreDistances stored = stored_distances_in_millimetres(s.TomboDisX, s.TomboDisY);
    check((s.TomboDisX == 0 && s.TomboDisY == 0) ||
              check_mark_distances(s.Direction, stored.Horizontal, stored.Vertical, UNIT_MILLIMETRES) ==
                  RC_SUCCESS,
          "stored distances are valid or both 0");
    if (options.OrientationGiven != 0) {
        const bool valid = options.Orientation == 0 || options.Orientation == 1;
        check(!valid || s.Direction == options.Orientation, "a valid orientation option wins");
        check(run.options.LaunchResult == (valid ? RC_SUCCESS : RC_ORIENTATION_OPTION),
              "an invalid orientation option marks the launch result");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    LaunchOptions options;
    reset_launch_options(&options);
    options.CutMode = data[0] & 1;
    options.OrientationGiven = (data[0] >> 1) & 1;
    options.Orientation = ((data[0] >> 2) & 3) - 1;  // -1 to 2
    g_failing = data[0] >> 4;                         // 6 to 15: none fails

    const std::vector<std::string> parts = split(std::string(reinterpret_cast<const char*>(data + 1), size - 1), '\f');
    const std::size_t first_line = parts[0].find('\n');
    const std::string firmware = parts[0].substr(0, first_line);
    Sources sources;
    sources.main = parse_ini(first_line == std::string::npos ? std::string() : parts[0].substr(first_line + 1),
                             SETTINGS_MAIN_SECTION);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        sources.media.push_back(media_file_of(parts[i]));
    }

    static Run first;
    read(sources, firmware, options, &first);
    check_run(first, options);
    if (first.code != RC_SUCCESS) {
        return 0;
    }

    // What `save settings` writes, read back with the same cutter and media, gives the same.
    ProfileEntry entries[SETTINGS_ENTRY_COUNT];
    settings_entries(first.settings, first.library.Media[first.settings.CutCondition], entries);
    Sources saved = sources;
    saved.main.clear();
    for (const ProfileEntry& entry : entries) {
        add_entry(&saved.main, entry.Section, std::string(entry.Key) + "=" + entry.Value);
    }
    LaunchOptions again_options;
    reset_launch_options(&again_options);
    again_options.CutMode = options.CutMode;
    static Run again;
    read(saved, firmware, again_options, &again);
    check(again.code == RC_SUCCESS, "saved settings read back");
    const Settings& a = first.settings;
    const Settings& b = again.settings;
    check(a.GuideMenu == b.GuideMenu && a.CutCondAdjust == b.CutCondAdjust && a.RollAction == b.RollAction &&
              a.Direction == b.Direction && a.PosSet == b.PosSet && a.TomboDisX == b.TomboDisX &&
              a.TomboDisY == b.TomboDisY && a.TomboAutoRead == b.TomboAutoRead && a.Unit == b.Unit,
          "saved settings read back to the same values");
    const MediaRecord& before = first.library.Media[a.CutCondition];
    const MediaRecord& after = again.library.Media[b.CutCondition];
    check(std::strcmp(before.Name, after.Name) == 0 || a.FileMediaMode == 0,
          "the saved media name selects a media of that name");
    check(a.FileMediaMode != 0 || a.CutCondition == b.CutCondition, "the built-in selection is kept");
    check(a.ActiveSpeed == b.ActiveSpeed && a.ActivePress == b.ActivePress &&
              a.ActiveConditionNo == b.ActiveConditionNo && a.ActiveOffset == b.ActiveOffset,
          "the same conditions are sent again");
    return 0;
}
