// Feeds random media directories (see fuzz_support.h) to the media-file rules as at start-up.
// Checked: accepted values lie in their ranges; a written media file reads back to the same
// values; the library stays ordered, numbered and within 128 records.
#include <algorithm>
#include <cstring>

#include "fuzz_support.h"
#include "settings/media_library.h"

namespace {

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
    check(v.ConfigurationMode != MEDIA_FIXED || (v.Speed == v.DefaultSpeed && v.Press == v.DefaultPress),
          "fixed media use the defaults");
}

// The record's media file as `write media file` would write it, read back.
void check_written_file(const MediaRecord& record)
{
    ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT];
    const int count = media_file_entries(record, entries);
    check((count == 0) == (record.ConfigurationMode == MEDIA_FIXED), "all but fixed media are written");
    if (count == 0) {
        return;
    }
    Keys written;
    for (int i = 0; i < count; ++i) {
        check(std::strlen(entries[i].Value) < sizeof entries[i].Value, "entry value terminated");
        add_entry(&written, entries[i].Section, std::string(entries[i].Key) + "=" + entries[i].Value);
    }
    MediaFileValues back{};
    check(read_values(written, &back), "a written media file is read back");
    check(back.ListID == record.ListID && back.ConfigurationMode == record.ConfigurationMode &&
              back.Speed == record.Speed && back.Press == record.Press && back.Cap == record.Cap &&
              (record.ConfigurationMode != MEDIA_ADJUSTABLE ||
               (back.DefaultSpeed == record.DefaultSpeed && back.DefaultPress == record.DefaultPress)),
          "a written media file reads back to the same values");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MediaLibrary library;
    clear_media_library(&library);
    std::string first_name;
    for (const std::string& part : split(std::string(reinterpret_cast<const char*>(data), size), '\f')) {
        const MediaFile file = media_file_of(part);
        std::vector<char> name(MEDIA_NAME_SIZE, '#');
        const bool named = media_name_from_file_name(exact_buffer(file.entry).data(), name.data());
        const std::size_t length = std::min(file.entry.rfind('.'), file.entry.size());
        check(named == (length <= static_cast<std::size_t>(MEDIA_NAME_LIMIT)), "name length rule");
        if (!named) {
            continue;
        }
        check(std::string(name.data()) == file.entry.substr(0, length), "name is the entry up to its last dot");
        first_name = first_name.empty() ? name.data() : first_name;
        MediaFileValues values{};
        if (!read_values(file.keys, &values)) {
            continue;
        }
        check_values(values);
        const bool room = library.Count < MEDIA_LIBRARY_SIZE;
        check(add_media_record(&library, name.data(), values) == room, "added while there is room");
        if (room) {
            check_written_file(library.Media[library.Count - 1]);
        }
    }

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
    const MediaMatch match = find_media_by_name(library, first_name.c_str());
    check(match.Found == any, "find gives a record exactly when one has the name");
    check(!any || (first_name == library.Media[selected].Name && match.Index <= selected &&
                   first_name == library.Media[match.Index].Name),
          "selected and found records have the name");
    check(any || selected == 0, "no record of the name selects the first");
    return 0;
}
