// Feeds random media directories to the media-file rules. The input is a series of files
// separated by form feeds; each file's first line is its directory entry name and the rest is
// INI text ("[Section]" and "Key=Value" lines, values of any length). Every file goes through the
// same checks the program applies (candidate name, header, mode, ranges, cap words); accepted
// ones are added to the library, which is then sorted, numbered and searched as at start-up.
// Checked: accepted values lie in their ranges; what `write media file` would write for a record
// reads back to the same values; the library stays ordered, numbered and within 128 records.
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "settings/media_library.h"

namespace {

using Keys = std::map<std::string, std::string>;  // "Section/Key" -> text

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

Keys parse_ini(const std::string& text)
{
    Keys keys;
    std::string section;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t stop = text.find('\n', start);
        if (stop == std::string::npos) {
            stop = text.size();
        }
        const std::string line = text.substr(start, stop - start);
        start = stop + 1;
        if (line.size() >= 2 && line[0] == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            keys.emplace(section + "/" + line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return keys;
}

// Numbers as the profile calls read them: an optional sign and leading decimal digits, 0 when
// there are none, wrapping at 32 bits.
std::int32_t keys_number(const void* file, const char* section, const char* key, std::int32_t fallback)
{
    const Keys& keys = *static_cast<const Keys*>(file);
    const auto found = keys.find(std::string(section) + "/" + key);
    if (found == keys.end()) {
        return fallback;
    }
    const std::string& text = found->second;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

void keys_text(const void* file, const char* section, const char* key, const char* fallback,
               char* text, std::size_t size)
{
    const Keys& keys = *static_cast<const Keys*>(file);
    const auto found = keys.find(std::string(section) + "/" + key);
    const std::string& value = found == keys.end() ? std::string(fallback) : found->second;
    // Cut to the buffer and at a zero byte, as a C string.
    std::size_t n = 0;
    while (n + 1 < size && n < value.size() && value[n] != '\0') {
        text[n] = value[n];
        ++n;
    }
    text[n] = '\0';
}

bool read_values(const Keys& keys, MediaFileValues* values)
{
    return read_media_file_values(MediaFileReader{keys_number, keys_text, &keys}, values);
}

void check_values(const MediaFileValues& v)
{
    check(configuration_mode_known(v.ConfigurationMode), "accepted mode is known");
    check(speed_in_range(v.Speed) && force_in_range(v.Press), "speed and force in range");
    if (v.ConfigurationMode == MEDIA_USER) {
        check(v.DefaultSpeed == -1 && v.DefaultPress == -1, "user media have no defaults");
        check(v.Cap >= CAP_BLUE && v.Cap <= CAP_RED, "user cap is a blade cap");
    } else {
        check(speed_in_range(v.DefaultSpeed) && force_in_range(v.DefaultPress), "defaults in range");
        check(v.Cap >= CAP_PEN && v.Cap <= CAP_RED, "cap is a cap");
    }
    if (v.ConfigurationMode == MEDIA_FIXED) {
        check(v.Speed == v.DefaultSpeed && v.Press == v.DefaultPress, "fixed media use the defaults");
    }
}

// The record's media file as `write media file` would write it, read back.
void check_written_file(const MediaRecord& record)
{
    ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT];
    const int count = media_file_entries(record, entries);
    if (record.ConfigurationMode == MEDIA_FIXED) {
        check(count == 0, "fixed media are never written");
        return;
    }
    check(count > 0 && count <= MEDIA_FILE_ENTRY_LIMIT, "entry count");
    Keys written;
    for (int i = 0; i < count; ++i) {
        check(std::strlen(entries[i].Value) < sizeof entries[i].Value, "entry value terminated");
        written[std::string(entries[i].Section) + "/" + entries[i].Key] = entries[i].Value;
    }
    MediaFileValues back{};
    check(read_values(written, &back), "a written media file is read back");
    check(back.ListID == record.ListID && back.ConfigurationMode == record.ConfigurationMode &&
              back.Speed == record.Speed && back.Press == record.Press && back.Cap == record.Cap,
          "a written media file reads back to the same values");
    if (record.ConfigurationMode == MEDIA_ADJUSTABLE) {
        check(back.DefaultSpeed == record.DefaultSpeed && back.DefaultPress == record.DefaultPress,
              "defaults read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    MediaLibrary library;
    clear_media_library(&library);
    std::vector<std::string> accepted_names;
    std::string first_name;
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t stop = input.find('\f', start);
        if (stop == std::string::npos) {
            stop = input.size();
        }
        const std::string file = input.substr(start, stop - start);
        start = stop + 1;
        const std::size_t line_end = file.find('\n');
        // A directory entry name is a C string of at most MAX_PATH characters.
        std::string entry = file.substr(0, line_end).c_str();
        if (entry.size() > 259) {
            entry.resize(259);
        }
        const std::string text = line_end == std::string::npos ? std::string() : file.substr(line_end + 1);

        // The name is in a buffer of exactly its size; the output of exactly a media name's.
        std::vector<char> exact(entry.begin(), entry.end());
        exact.push_back('\0');
        std::vector<char> name(MEDIA_NAME_SIZE, '#');
        const bool named = media_name_from_file_name(exact.data(), name.data());
        const std::size_t last_dot = entry.rfind('.');
        const std::size_t length = last_dot == std::string::npos ? entry.size() : last_dot;
        check(named == (length <= static_cast<std::size_t>(MEDIA_NAME_LIMIT)), "name length rule");
        if (!named) {
            continue;
        }
        check(std::string(name.data()) == entry.substr(0, length), "name is the entry up to its last dot");
        if (first_name.empty()) {
            first_name = name.data();
        }

        MediaFileValues values{};
        if (!read_values(parse_ini(text), &values)) {
            continue;
        }
        check_values(values);
        const std::int32_t count_before = library.Count;
        const bool added = add_media_record(&library, name.data(), values);
        check(added == (count_before < MEDIA_LIBRARY_SIZE), "added while there is room");
        if (added) {
            accepted_names.push_back(name.data());
            check_written_file(library.Media[library.Count - 1]);
        }
    }

    check(library.Count >= 0 && library.Count <= MEDIA_LIBRARY_SIZE, "library size");
    sort_media_library(&library);
    const std::int32_t selected = number_media_and_select(&library, first_name.c_str());
    check(selected >= 0 && (library.Count == 0 ? selected == 0 : selected < library.Count),
          "selection is a record in use");
    bool any = false;
    for (std::int32_t i = 0; i < library.Count; ++i) {
        const MediaRecord& record = library.Media[i];
        check(record.ConditionNo == FILE_CONDITION_BASE + i, "condition numbers from 100");
        check(record.ListID <= library.HighestListID, "highest ListID is the highest");
        check(i == 0 || library.Media[i - 1].ListID <= record.ListID, "sorted by ListID");
        check(record.CutterOffset == cutter_offset_of_cap(record.Cap), "offset follows the cap");
        if (record.Name == first_name) {
            any = true;
            check(selected >= i, "the last record of the name is selected");
        }
    }
    if (any) {
        check(first_name == library.Media[selected].Name, "selected record has the name");
        const MediaMatch match = find_media_by_name(library, first_name.c_str());
        check(match.Found && match.Index <= selected &&
                  std::strcmp(library.Media[match.Index].Name, first_name.c_str()) == 0,
              "find gives the first record of the name");
    } else {
        check(selected == 0 && !find_media_by_name(library, first_name.c_str()).Found,
              "no record of the name");
    }
    return 0;
}
