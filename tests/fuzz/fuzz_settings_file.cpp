// Runs `read settings` on random settings files, media directories and firmware versions: the
// first byte holds the launch options and which condition command fails; the input's first
// form-feed separated part is the version line and the "Main_Section" keys, each further part one
// media file (its file name on the first line, then INI text). Checked: no fault in the parsers,
// and the values taken stay in their ranges.
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "settings/profile_section.h"
#include "settings/settings_record.h"
#include "workflow/mark_distances.h"

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts.empty() ? std::vector<std::string>(1) : parts;
}

// A file's sections as the profile calls hand them over whole: "Section" -> its entries, each
// ended by a zero byte, the list by a second one. The keys are taken from them by the section
// reader the program uses (profile_section.h).
using Keys = std::map<std::string, std::string>;

// "[Section]" and entry lines; entries before any section belong to `section`. The platform
// keeps a line only up to a zero byte, and no empty one.
Keys parse_ini(const std::string& text, std::string section = "")
{
    Keys keys;
    for (const std::string& line : split(text, '\n')) {
        if (line.size() >= 2 && line[0] == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (line[0] != '\0') {
            keys[section] += line.c_str() + std::string(1, '\0');
        }
    }
    return keys;
}

const char* section_of(const void* file, const char* section)
{
    const Keys& keys = *static_cast<const Keys*>(file);
    const auto found = keys.find(section);
    return found == keys.end() ? "" : found->second.c_str();
}

std::int32_t keys_number(const void* file, const char* section, const char* key, std::int32_t fallback)
{
    return section_number(section_of(file, section), key, fallback);
}

void keys_text(const void* file, const char* section, const char* key, const char* fallback, char* text,
               std::size_t size)
{
    section_text(section_of(file, section), key, fallback, text, size);
}

struct MediaFile {
    std::string entry;
    Keys keys;
};

struct Sources {
    Keys main;
    std::vector<MediaFile> media;
    std::size_t next;  // the folder listing's position
};

std::int32_t main_number(const void* s, const char* key, std::int32_t fallback)
{
    return keys_number(&static_cast<const Sources*>(s)->main, SETTINGS_MAIN_SECTION, key, fallback);
}

void main_text(const void* s, const char* key, const char* fallback, char* text, std::size_t size)
{
    keys_text(&static_cast<const Sources*>(s)->main, SETTINGS_MAIN_SECTION, key, fallback, text, size);
}

bool next_entry(void* folder, MediaFolderEntry* entry)
{
    Sources& s = *static_cast<Sources*>(folder);
    if (s.next == s.media.size()) return false;
    *entry = MediaFolderEntry{s.media[s.next++].entry.c_str(), false};
    return true;
}

bool read_file(void* folder, const char*, MediaFileValues* values)
{
    const Sources& s = *static_cast<const Sources*>(folder);
    return read_media_file_values(MediaFileReader{keys_number, keys_text, &s.media[s.next - 1].keys}, values);
}

std::int32_t load_files(const void* source, const char* select_name, MediaLibrary* library)
{
    Sources* s = const_cast<Sources*>(static_cast<const Sources*>(source));
    s->next = 0;
    return scan_media_folder(MediaFolder{next_entry, read_file, s}, select_name, library);
}

void load_built_in(const void*, MediaLibrary* library) { fill_built_in_media(library); }

int g_writes = 0, g_failing = -1;  // the write that fails
ResultCode note(const void*, std::uint32_t, std::uint32_t) { return g_writes++ == g_failing ? RC_GENERAL_ERROR : RC_SUCCESS; }
ResultCode no_reply(void*, std::uint32_t, std::uint32_t) { return RC_GENERAL_ERROR; }
const CutterLink RECORDING = {[](const char*) {}, note, no_reply, [](std::uint32_t) {}, nullptr, DEMO_OFF};

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
    g_writes = 0;

    const std::vector<std::string> parts = split(std::string(reinterpret_cast<const char*>(data + 1), size - 1), '\f');
    const std::size_t first_line = std::min(parts[0].find('\n'), parts[0].size());
    Sources sources{parse_ini(parts[0].substr(first_line), SETTINGS_MAIN_SECTION), {}, 0};
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t line = std::min(parts[i].find('\n'), parts[i].size());
        sources.media.push_back(MediaFile{parts[i].substr(0, std::min<std::size_t>(line, 259)).c_str(),
                                          parse_ini(parts[i].substr(line))});
    }
    static Settings settings;
    static MediaLibrary library;
    std::memset(&settings, 0x5A, sizeof settings);
    // Cut to the buffer and at a zero byte, as a C string.
    std::snprintf(settings.FirmwareVersion, sizeof settings.FirmwareVersion, "%s", parts[0].substr(0, first_line).c_str());
    const ResultCode code = read_settings_from(SettingsReader{main_number, main_text, load_files, load_built_in, &sources},
                                               RECORDING, check_mark_distances, &options, &settings, &library);
    if (code != RC_SUCCESS) {
        return 0;
    }
    const Settings& a = settings;
    check(a.CutCondition >= 0 && a.CutCondition < library.Count, "the selection is a media of the library");
    check(a.RollAction == flag_value(a.RollAction) && a.TomboAutoRead == flag_value(a.TomboAutoRead) &&
              force_in_range(a.ActivePress),
          "flags are 0 or 1, the force 1 to 3");
    const MillimetreDistances stored = stored_distances_in_millimetres(a.TomboDisX, a.TomboDisY);
    check((a.TomboDisX == 0 && a.TomboDisY == 0) ||
              check_mark_distances(a.Direction, stored.Horizontal, stored.Vertical, UNIT_MILLIMETRES) == RC_SUCCESS,
          "stored distances are valid or both 0");
    return 0;
}
