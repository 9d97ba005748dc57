#include "media_files.h"

#include <windows.h>

#include <cstdio>

#include "app/win_text.h"

MediaLibrary g_media_library;

namespace {

// Long enough for a full directory, a separator, a 64-character name and the extension.
constexpr int MEDIA_PATH_SIZE = 512;

// Defaults of the profile reads: a text that no check accepts, a number outside every range.
constexpr const char* MISSING_TEXT = "Error";
constexpr INT MISSING_NUMBER = -1;

// Ends the directory enumeration however the scan leaves it.
struct FindHandle {
    HANDLE handle;
    ~FindHandle()
    {
        if (handle != INVALID_HANDLE_VALUE) {
            FindClose(handle);
        }
    }
};

std::int32_t read_number(const char* section, const char* key, INT fallback, const char* path)
{
    return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, fallback, path));
}

void read_text(const char* section, const char* key, char (&text)[MEDIA_PROFILE_TEXT_SIZE],
               const char* path)
{
    GetPrivateProfileStringA(section, key, MISSING_TEXT, text, MEDIA_PROFILE_TEXT_SIZE, path);
}

// Reads one media file in the order of its checks; false at the first check it fails.
bool read_media_file(const char* path, MediaFileValues* values)
{
    char text[MEDIA_PROFILE_TEXT_SIZE];
    char type[MEDIA_PROFILE_TEXT_SIZE];
    read_text("Generic", "Product", text, path);
    read_text("Generic", "Type", type, path);
    if (!media_file_identified(text, type)) {
        return false;
    }
    values->ListID = GetPrivateProfileIntA("Generic", "ListID", MISSING_NUMBER, path);
    values->ConfigurationMode = read_number("Generic", "ConfigurationMode", MISSING_NUMBER, path);
    values->DefaultSpeed = -1;
    values->DefaultPress = -1;
    const std::int32_t mode = values->ConfigurationMode;
    if (!configuration_mode_known(mode)) {
        return false;
    }
    if (mode == MEDIA_FIXED || mode == MEDIA_ADJUSTABLE) {
        values->DefaultSpeed = read_number("Defaults", "Speed", MISSING_NUMBER, path);
        if (!speed_in_range(values->DefaultSpeed)) {
            return false;
        }
        values->DefaultPress = read_number("Defaults", "Force", MISSING_NUMBER, path);
        if (!force_in_range(values->DefaultPress)) {
            return false;
        }
        read_text("Defaults", "Cap", text, path);
        if (!cap_from_word(text, true, &values->Cap)) {
            return false;
        }
        values->Speed = values->DefaultSpeed;
        values->Press = values->DefaultPress;
    }
    if (mode == MEDIA_ADJUSTABLE) {
        values->Speed = adjusted_speed(read_number("Modify", "Speed", values->DefaultSpeed, path),
                                       values->DefaultSpeed);
        values->Press = adjusted_force(read_number("Modify", "Force", values->DefaultPress, path),
                                       values->DefaultPress);
    }
    if (mode == MEDIA_USER) {
        values->Speed = read_number("User", "Speed", MISSING_NUMBER, path);
        if (!speed_in_range(values->Speed)) {
            return false;
        }
        values->Press = read_number("User", "Force", MISSING_NUMBER, path);
        if (!force_in_range(values->Press)) {
            return false;
        }
        read_text("User", "Cap", text, path);
        if (!cap_from_word(text, false, &values->Cap)) {
            return false;
        }
    }
    return true;
}

bool media_file_path(const char* media_directory, const char* name, char (&path)[MEDIA_PATH_SIZE])
{
    const int length = std::snprintf(path, sizeof path, "%s\\%s%s", media_directory, name,
                                     MEDIA_FILE_EXTENSION);
    return length > 0 && length < MEDIA_PATH_SIZE;
}

}  // namespace

void load_built_in_media(MediaLibrary* library)
{
    fill_built_in_media(library);
    for (int i = 0; i < BUILT_IN_MEDIA_COUNT; ++i) {
        LoadStringA(g_instance, static_cast<UINT>(built_in_media_name_id(i)),
                    library->Media[i].Name, BUILT_IN_NAME_SIZE);
    }
}

std::int32_t load_media_files(const char* media_directory, const char* select_name,
                              MediaLibrary* library)
{
    clear_media_library(library);
    char pattern[MEDIA_PATH_SIZE];
    const int length = std::snprintf(pattern, sizeof pattern, "%s\\*%s", media_directory,
                                     MEDIA_FILE_EXTENSION);
    if (length <= 0 || length >= MEDIA_PATH_SIZE) {
        return 0;
    }
    WIN32_FIND_DATAA entry;
    FindHandle found{FindFirstFileA(pattern, &entry)};
    if (found.handle == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        entry.cFileName[MAX_PATH - 1] = '\0';
        char name[MEDIA_NAME_SIZE];
        char path[MEDIA_PATH_SIZE];
        MediaFileValues values;
        if (!media_name_from_file_name(entry.cFileName, name) ||
            !media_file_path(media_directory, name, path) || !read_media_file(path, &values)) {
            continue;
        }
        add_media_record(library, name, values);
    } while (library->Count < MEDIA_LIBRARY_SIZE && FindNextFileA(found.handle, &entry));

    sort_media_library(library);
    return number_media_and_select(library, select_name);
}

void write_media_file(const char* media_directory, const MediaRecord& record)
{
    ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT];
    const int count = media_file_entries(record, entries);
    char path[MEDIA_PATH_SIZE];
    if (count == 0 || !media_file_path(media_directory, record.Name, path)) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        WritePrivateProfileStringA(entries[i].Section, entries[i].Key, entries[i].Value, path);
    }
}

void save_media_files(const char* media_directory, const MediaLibrary& library)
{
    for (std::int32_t i = 0; i < library.Count && i < MEDIA_LIBRARY_SIZE; ++i) {
        write_media_file(media_directory, library.Media[i]);
    }
}
