#include "media_files.h"

#include <windows.h>

#include <cstdio>

#include "common/win_text.h"

MediaLibrary g_media_library;

namespace {

// Long enough for a full directory, a separator, a 64-character name and the extension.
constexpr int MEDIA_PATH_SIZE = 512;

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

// The media file's keys through the profile calls; `file` is the file's full path.
std::int32_t profile_number(const void* file, const char* section, const char* key,
                            std::int32_t fallback)
{
    return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, static_cast<INT>(fallback),
                                                           static_cast<const char*>(file)));
}

void profile_text(const void* file, const char* section, const char* key, const char* fallback,
                  char* text, std::size_t size)
{
    GetPrivateProfileStringA(section, key, fallback, text, static_cast<DWORD>(size),
                             static_cast<const char*>(file));
}

bool read_media_file(const char* path, MediaFileValues* values)
{
    return read_media_file_values(MediaFileReader{profile_number, profile_text, path}, values);
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
        LoadStringA(resource_instance(), static_cast<UINT>(built_in_media_name_id(i)),
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
