#include "media_library.h"

#include <cstdio>
#include <cstring>

#include "resources/resource_ids.h"

namespace {

// The media a first-generation cutter knows by its condition numbers 1 to 12. Every one is fixed
// media with factory speed 10.
struct BuiltInMedia {
    int          NameId;
    std::int32_t ConditionNo;
    std::int32_t DefaultPress;
    std::int32_t Cap;
};

constexpr std::int32_t BUILT_IN_DEFAULT_SPEED = 10;

constexpr BuiltInMedia BUILT_IN_MEDIA[BUILT_IN_MEDIA_COUNT] = {
    {IDS_MEDIA_CARD_NO_BACKING,    1, 3, CAP_YELLOW},
    {IDS_MEDIA_CARD_WITH_BACKING,  2, 3, CAP_YELLOW},
    {IDS_MEDIA_VINYL_FILM,         3, 2, CAP_BLUE},
    {IDS_MEDIA_PAPER_LABELS,       4, 2, CAP_BLUE},
    {IDS_MEDIA_FILM_LABELS,        5, 3, CAP_BLUE},
    {IDS_MEDIA_MAGNETIC_SHEET,     6, 3, CAP_YELLOW},
    {IDS_MEDIA_METALLIC_GOLD,      7, 3, CAP_BLUE},
    {IDS_MEDIA_METALLIC_SILVER,    8, 3, CAP_BLUE},
    {IDS_MEDIA_GLOW_LABELS,        9, 3, CAP_BLUE},
    {IDS_MEDIA_THICK,             10, 3, CAP_YELLOW},
    {IDS_MEDIA_THIN,              11, 1, CAP_BLUE},
    {IDS_MEDIA_PEN,               12, 2, CAP_PEN},
};

// Cap words as a media file spells them, indexed by Cap.
constexpr const char* CAP_WORDS[] = {"Pen", "Blue", "Yellow", "Red"};
constexpr int CAP_WORD_COUNT = 4;

bool names_equal(const char* name, const char* other)
{
    return std::strcmp(name, other) == 0;
}

void copy_name(const char* source, char* target, std::size_t size)
{
    std::size_t length = 0;
    while (length + 1 < size && source[length] != '\0') {
        ++length;
    }
    std::memcpy(target, source, length);
    target[length] = '\0';
}

void add_entry(ProfileEntry* entries, int* count, const char* section, const char* key,
               const char* value)
{
    ProfileEntry& entry = entries[(*count)++];
    entry.Section = section;
    entry.Key = key;
    copy_name(value, entry.Value, sizeof entry.Value);
}

void add_number(ProfileEntry* entries, int* count, const char* section, const char* key,
                std::int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    add_entry(entries, count, section, key, text);
}

}  // namespace

void empty_media_record(MediaRecord* record)
{
    std::memset(record->Name, 0, sizeof record->Name);
    record->ListID = 0;
    record->ConfigurationMode = -1;
    record->ConditionNo = -1;
    record->DefaultSpeed = -1;
    record->DefaultPress = -1;
    record->Speed = -1;
    record->Press = -1;
    record->CutterOffset = -1;
    record->Cap = -1;
}

void clear_media_library(MediaLibrary* library)
{
    library->Count = 0;
    library->HighestListID = 0;
    for (MediaRecord& record : library->Media) {
        empty_media_record(&record);
    }
}

void fill_built_in_media(MediaLibrary* library)
{
    clear_media_library(library);
    library->Count = BUILT_IN_MEDIA_COUNT;
    library->HighestListID = BUILT_IN_MEDIA_COUNT - 1;
    for (int i = 0; i < BUILT_IN_MEDIA_COUNT; ++i) {
        const BuiltInMedia& row = BUILT_IN_MEDIA[i];
        MediaRecord& record = library->Media[i];
        record.ListID = static_cast<std::uint32_t>(i);
        record.ConfigurationMode = MEDIA_FIXED;
        record.ConditionNo = row.ConditionNo;
        record.DefaultSpeed = BUILT_IN_DEFAULT_SPEED;
        record.DefaultPress = row.DefaultPress;
        record.CutterOffset = cutter_offset_of_cap(row.Cap);
        record.Cap = row.Cap;
    }
}

int built_in_media_name_id(int index)
{
    return index >= 0 && index < BUILT_IN_MEDIA_COUNT ? BUILT_IN_MEDIA[index].NameId : 0;
}

void sort_media_library(MediaLibrary* library)
{
    const int count = library->Count < MEDIA_LIBRARY_SIZE ? library->Count : MEDIA_LIBRARY_SIZE;
    for (int i = 0; i + 1 < count; ++i) {
        int smallest = i;
        for (int j = i + 1; j < count; ++j) {
            if (library->Media[j].ListID < library->Media[smallest].ListID) {
                smallest = j;
            }
        }
        if (smallest != i) {
            const MediaRecord held = library->Media[i];
            library->Media[i] = library->Media[smallest];
            library->Media[smallest] = held;
        }
    }
}

std::int32_t number_media_and_select(MediaLibrary* library, const char* select_name)
{
    std::int32_t selected = 0;
    for (std::int32_t i = 0; i < library->Count && i < MEDIA_LIBRARY_SIZE; ++i) {
        MediaRecord& record = library->Media[i];
        record.ConditionNo = FILE_CONDITION_BASE + i;
        if (names_equal(record.Name, select_name)) {
            selected = i;
        }
    }
    return selected;
}

MediaMatch find_media_by_name(const MediaLibrary& library, const char* name)
{
    for (std::int32_t i = 0; i < library.Count && i < MEDIA_LIBRARY_SIZE; ++i) {
        const MediaRecord& record = library.Media[i];
        if (names_equal(record.Name, name)) {
            return MediaMatch{true, i, record.ListID, record.ConfigurationMode};
        }
    }
    return MediaMatch{false, -1, 0, -1};
}

bool media_name_from_file_name(const char* file_name, char name[MEDIA_NAME_SIZE])
{
    const char* last_dot = std::strrchr(file_name, '.');
    const std::size_t length =
        last_dot != nullptr ? static_cast<std::size_t>(last_dot - file_name) : std::strlen(file_name);
    if (length > static_cast<std::size_t>(MEDIA_NAME_LIMIT)) {
        return false;
    }
    std::memcpy(name, file_name, length);
    name[length] = '\0';
    return true;
}

bool media_file_identified(const char* product, const char* type)
{
    return std::strcmp(product, MEDIA_PRODUCT) == 0 && std::strcmp(type, MEDIA_TYPE) == 0;
}

bool configuration_mode_known(std::int32_t mode)
{
    return mode == MEDIA_FIXED || mode == MEDIA_ADJUSTABLE || mode == MEDIA_USER;
}

bool speed_in_range(std::int32_t speed)
{
    return speed >= SPEED_MIN && speed <= SPEED_MAX;
}

bool force_in_range(std::int32_t force)
{
    return force >= FORCE_MIN && force <= FORCE_MAX;
}

std::int32_t adjusted_speed(std::int32_t modify_speed, std::int32_t default_speed)
{
    return speed_in_range(modify_speed) ? modify_speed : default_speed;
}

std::int32_t adjusted_force(std::int32_t modify_force, std::int32_t default_force)
{
    return force_in_range(modify_force) ? modify_force : default_force;
}

bool cap_from_word(const char* word, bool pen_allowed, std::int32_t* cap)
{
    for (int i = pen_allowed ? CAP_PEN : CAP_BLUE; i < CAP_WORD_COUNT; ++i) {
        if (std::strcmp(word, CAP_WORDS[i]) == 0) {
            *cap = i;
            return true;
        }
    }
    return false;
}

std::int32_t cutter_offset_of_cap(std::int32_t cap)
{
    return cap == CAP_PEN ? PEN_CUTTER_OFFSET : CAP_CUTTER_OFFSET;
}

namespace {

// Speed, Force and Cap of one section, each checked as soon as it is read: the first one out of
// range makes the file unusable. The pen is a cap only factory media may name.
bool read_speed_force_cap(const MediaFileReader& reader, const char* section, bool pen_allowed,
                          std::int32_t* speed, std::int32_t* force, std::int32_t* cap)
{
    *speed = reader.number(reader.file, section, "Speed", MEDIA_MISSING_NUMBER);
    if (!speed_in_range(*speed)) {
        return false;
    }
    *force = reader.number(reader.file, section, "Force", MEDIA_MISSING_NUMBER);
    if (!force_in_range(*force)) {
        return false;
    }
    char text[MEDIA_PROFILE_TEXT_SIZE];
    reader.text(reader.file, section, "Cap", MEDIA_MISSING_TEXT, text, sizeof text);
    return cap_from_word(text, pen_allowed, cap);
}

}  // namespace

bool read_media_file_values(const MediaFileReader& reader, MediaFileValues* values)
{
    char text[MEDIA_PROFILE_TEXT_SIZE];
    char type[MEDIA_PROFILE_TEXT_SIZE];
    reader.text(reader.file, "Generic", "Product", MEDIA_MISSING_TEXT, text, sizeof text);
    reader.text(reader.file, "Generic", "Type", MEDIA_MISSING_TEXT, type, sizeof type);
    if (!media_file_identified(text, type)) {
        return false;
    }
    // The ListID is unsigned: a missing one reads as the highest number.
    values->ListID = static_cast<std::uint32_t>(
        reader.number(reader.file, "Generic", "ListID", MEDIA_MISSING_NUMBER));
    values->ConfigurationMode =
        reader.number(reader.file, "Generic", "ConfigurationMode", MEDIA_MISSING_NUMBER);
    values->DefaultSpeed = -1;
    values->DefaultPress = -1;
    const std::int32_t mode = values->ConfigurationMode;
    if (!configuration_mode_known(mode)) {
        return false;
    }
    if (mode == MEDIA_FIXED || mode == MEDIA_ADJUSTABLE) {
        if (!read_speed_force_cap(reader, "Defaults", true, &values->DefaultSpeed,
                                  &values->DefaultPress, &values->Cap)) {
            return false;
        }
        values->Speed = values->DefaultSpeed;
        values->Press = values->DefaultPress;
    }
    if (mode == MEDIA_ADJUSTABLE) {
        values->Speed = adjusted_speed(
            reader.number(reader.file, "Modify", "Speed", values->DefaultSpeed), values->DefaultSpeed);
        values->Press = adjusted_force(
            reader.number(reader.file, "Modify", "Force", values->DefaultPress), values->DefaultPress);
    }
    if (mode == MEDIA_USER) {
        if (!read_speed_force_cap(reader, "User", false, &values->Speed, &values->Press,
                                  &values->Cap)) {
            return false;
        }
    }
    return true;
}

bool add_media_record(MediaLibrary* library, const char* name, const MediaFileValues& values)
{
    if (library->Count < 0 || library->Count >= MEDIA_LIBRARY_SIZE) {
        return false;
    }
    if (library->HighestListID < values.ListID) {
        library->HighestListID = values.ListID;
    }
    MediaRecord& record = library->Media[library->Count];
    empty_media_record(&record);
    copy_name(name, record.Name, sizeof record.Name);
    record.ListID = values.ListID;
    record.ConfigurationMode = values.ConfigurationMode;
    record.DefaultSpeed = values.DefaultSpeed;
    record.DefaultPress = values.DefaultPress;
    record.Speed = values.Speed;
    record.Press = values.Press;
    record.Cap = values.Cap;
    record.CutterOffset = cutter_offset_of_cap(values.Cap);
    ++library->Count;
    return true;
}

int media_file_entries(const MediaRecord& record, ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT])
{
    const std::int32_t mode = record.ConfigurationMode;
    if (mode != MEDIA_ADJUSTABLE && mode != MEDIA_USER) {
        return 0;
    }
    int count = 0;
    add_entry(entries, &count, "Generic", "Product", MEDIA_PRODUCT);
    add_entry(entries, &count, "Generic", "Type", MEDIA_TYPE);
    // A missing ListID reads back as -1, which is how the highest ListID is written.
    add_number(entries, &count, "Generic", "ListID", static_cast<std::int32_t>(record.ListID));
    add_number(entries, &count, "Generic", "ConfigurationMode", mode);
    if (mode == MEDIA_ADJUSTABLE) {
        add_number(entries, &count, "Defaults", "Speed", record.DefaultSpeed);
        add_number(entries, &count, "Defaults", "Force", record.DefaultPress);
        if (record.Cap >= CAP_PEN && record.Cap <= CAP_RED) {
            add_entry(entries, &count, "Defaults", "Cap", CAP_WORDS[record.Cap]);
        }
        add_number(entries, &count, "Modify", "Speed", record.Speed);
        add_number(entries, &count, "Modify", "Force", record.Press);
    } else {
        add_number(entries, &count, "User", "Speed", record.Speed);
        add_number(entries, &count, "User", "Force", record.Press);
        if (record.Cap >= CAP_BLUE && record.Cap <= CAP_RED) {
            add_entry(entries, &count, "User", "Cap", CAP_WORDS[record.Cap]);
        }
    }
    return count;
}

const MediaRecord& media_at(const MediaLibrary& library, std::int32_t index)
{
    return library.Media[index >= 0 && index < MEDIA_LIBRARY_SIZE ? index : 0];
}

std::int32_t scan_media_folder(const MediaFolder& folder, const char* select_name,
                               MediaLibrary* library)
{
    clear_media_library(library);
    MediaFolderEntry entry;
    while (library->Count < MEDIA_LIBRARY_SIZE && folder.next_entry(folder.folder, &entry)) {
        char name[MEDIA_NAME_SIZE];
        MediaFileValues values;
        if (entry.Directory || !media_name_from_file_name(entry.FileName, name) ||
            !folder.read_file(folder.folder, name, &values)) {
            continue;
        }
        add_media_record(library, name, values);
    }
    sort_media_library(library);
    return number_media_and_select(library, select_name);
}
