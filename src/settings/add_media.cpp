#include "add_media.h"

#include <cstring>

#include "common/ascii_text.h"
#include "resources/resource_ids.h"

namespace {

// Characters a file name cannot hold.
constexpr const char* FORBIDDEN_NAME_CHARACTERS = "\\/:*?\"<>|";

// Names the system gives to devices, whatever the extension: "NUL.qcf" is no file.
constexpr const char* DEVICE_NAMES[] = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
};

bool names_a_device(const char* name)
{
    // The device is named by the text before the first dot, trailing blanks ignored.
    std::size_t length = std::strcspn(name, ".");
    while (length > 0 && name[length - 1] == ' ') {
        --length;
    }
    for (const char* device : DEVICE_NAMES) {
        if (ascii_same_ignoring_case(name, length, device)) {
            return true;
        }
    }
    return false;
}

void copy_name(const char* source, char (&target)[MEDIA_NAME_SIZE])
{
    std::strncpy(target, source, MEDIA_NAME_LIMIT);
    target[MEDIA_NAME_LIMIT] = '\0';
}

}  // namespace

void fill_add_media_entry(const MediaRecord& selected, const char* initial_name,
                          AddMediaEntry* entry)
{
    copy_name(initial_name, entry->Name);
    entry->Speed = selected.Speed;
    entry->Press = selected.Press;
    entry->CutterOffset = CAP_CUTTER_OFFSET;
    entry->Cap = selected.Cap >= CAP_BLUE && selected.Cap <= CAP_RED ? selected.Cap : CAP_BLUE;
}

bool media_name_usable(const char* name)
{
    bool blank = true;
    for (const char* c = name; *c != '\0'; ++c) {
        const unsigned char byte = static_cast<unsigned char>(*c);
        if (byte < 0x20 || std::strchr(FORBIDDEN_NAME_CHARACTERS, *c) != nullptr) {
            return false;
        }
        blank = blank && *c == ' ';
    }
    return !blank && !names_a_device(name);
}

AddMediaPlan plan_add_media(const MediaLibrary& library, const char* name)
{
    if (!media_name_usable(name)) {
        return AddMediaPlan{ADD_MEDIA_REFUSE, RC_MEDIA_NAME_UNUSABLE, -1};
    }
    const MediaMatch match = find_media_by_name(library, name);
    if (match.Found) {
        switch (match.ConfigurationMode) {
        case MEDIA_FIXED:
        case MEDIA_ADJUSTABLE:
            return AddMediaPlan{ADD_MEDIA_REFUSE, RC_MEDIA_NAME_UNUSABLE, match.Index};
        case MEDIA_USER:
            return AddMediaPlan{ADD_MEDIA_ASK_UPDATE, RC_SUCCESS, match.Index};
        default:
            return AddMediaPlan{ADD_MEDIA_UPDATE, RC_SUCCESS, match.Index};
        }
    }
    const std::int32_t count = library.Count < MEDIA_LIBRARY_SIZE ? library.Count : MEDIA_LIBRARY_SIZE;
    for (std::int32_t i = 0; i < count; ++i) {
        if (ascii_same_ignoring_case(name, std::strlen(name), library.Media[i].Name)) {
            return AddMediaPlan{ADD_MEDIA_REFUSE, RC_MEDIA_NAME_UNUSABLE, i};
        }
    }
    if (library.Count >= MEDIA_LIBRARY_SIZE) {
        return AddMediaPlan{ADD_MEDIA_REFUSE, RC_MEDIA_LIMIT_REACHED, -1};
    }
    return AddMediaPlan{ADD_MEDIA_APPEND, RC_SUCCESS, library.Count};
}

std::uint32_t next_user_list_id(std::uint32_t highest_list_id)
{
    constexpr std::uint32_t FIRST_USER_LIST_ID = 100;
    if (highest_list_id < FIRST_USER_LIST_ID) {
        return FIRST_USER_LIST_ID;
    }
    return highest_list_id + 1 == 0 ? highest_list_id : highest_list_id + 1;
}

MediaRecord new_user_media(const MediaLibrary& library, const AddMediaEntry& entry)
{
    MediaRecord record;
    empty_media_record(&record);
    copy_name(entry.Name, record.Name);
    record.ListID = next_user_list_id(library.HighestListID);
    record.ConfigurationMode = MEDIA_USER;
    record.ConditionNo = FILE_CONDITION_BASE + library.Count;
    record.Speed = entry.Speed;
    record.Press = entry.Press;
    record.CutterOffset = entry.CutterOffset;
    record.Cap = entry.Cap;
    return record;
}

void append_media(MediaLibrary* library, const MediaRecord& record)
{
    if (library->Count < 0 || library->Count >= MEDIA_LIBRARY_SIZE) {
        return;
    }
    library->Media[library->Count++] = record;
    library->HighestListID = record.ListID;
}

void update_media(MediaLibrary* library, std::int32_t index, const AddMediaEntry& entry)
{
    if (index < 0 || index >= library->Count || index >= MEDIA_LIBRARY_SIZE) {
        return;
    }
    MediaRecord& record = library->Media[index];
    record.Speed = entry.Speed;
    record.Press = entry.Press;
    record.CutterOffset = entry.CutterOffset;
    record.Cap = entry.Cap;
}
