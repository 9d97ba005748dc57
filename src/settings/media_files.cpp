#include "media_files.h"

#include <windows.h>

#include <cstdio>

#include "common/win_text.h"
#include "profile_calls.h"

MediaLibrary g_media_library;

namespace {

// Long enough for a full directory, a separator, a 64-character name and the extension.
constexpr int MEDIA_PATH_SIZE = 512;

// The media file's keys through the profile calls; `file` is its ProfileFile.
std::int32_t file_number(const void* file, const char* section, const char* key,
                         std::int32_t fallback)
{
    return profile_number(*static_cast<const ProfileFile*>(file), section, key, fallback);
}

void file_text(const void* file, const char* section, const char* key, const char* fallback,
               char* text, std::size_t size)
{
    profile_text(*static_cast<const ProfileFile*>(file), section, key, fallback, text, size);
}

bool media_file_path(const char* media_directory, const char* name, char (&path)[MEDIA_PATH_SIZE])
{
    const int length = std::snprintf(path, sizeof path, "%s\\%s%s", media_directory, name,
                                     MEDIA_FILE_EXTENSION);
    return length > 0 && length < MEDIA_PATH_SIZE;
}

// The Media directory's listing of "*.qcf", one entry after the other.
struct DirectoryListing {
    const char*      directory;
    HANDLE           handle;
    WIN32_FIND_DATAA entry;
};

bool next_directory_entry(void* folder, MediaFolderEntry* entry)
{
    DirectoryListing& listing = *static_cast<DirectoryListing*>(folder);
    if (listing.handle == INVALID_HANDLE_VALUE) {
        char pattern[MEDIA_PATH_SIZE];
        if (!media_file_path(listing.directory, "*", pattern)) {
            return false;
        }
        listing.handle = FindFirstFileA(pattern, &listing.entry);
        if (listing.handle == INVALID_HANDLE_VALUE) {
            return false;
        }
    } else if (!FindNextFileA(listing.handle, &listing.entry)) {
        return false;
    }
    listing.entry.cFileName[MAX_PATH - 1] = '\0';
    entry->FileName = listing.entry.cFileName;
    entry->Directory = (listing.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

bool read_directory_file(void* folder, const char* name, MediaFileValues* values)
{
    const DirectoryListing& listing = *static_cast<const DirectoryListing*>(folder);
    char path[MEDIA_PATH_SIZE];
    if (!media_file_path(listing.directory, name, path)) {
        return false;
    }
    ProfileFile file;
    file.Path = path;
    return read_media_file_values(MediaFileReader{file_number, file_text, &file}, values);
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
    DirectoryListing listing{media_directory, INVALID_HANDLE_VALUE, {}};
    const std::int32_t selected = scan_media_folder(
        MediaFolder{next_directory_entry, read_directory_file, &listing}, select_name, library);
    if (listing.handle != INVALID_HANDLE_VALUE) {
        FindClose(listing.handle);
    }
    return selected;
}

ResultCode write_media_file(const char* media_directory, const MediaRecord& record)
{
    ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT];
    const int count = media_file_entries(record, entries);
    if (count == 0) {
        return RC_SUCCESS;
    }
    char path[MEDIA_PATH_SIZE];
    char draft[MAX_PATH];
    // The draft's name ends in ".tmp", so no scan of the Media directory ever reads it. It must
    // exist before any key goes to it: the profile calls would otherwise keep the keys of a
    // draft they could not create and write them out once the folder takes files again.
    if (!media_file_path(media_directory, record.Name, path) ||
        GetTempFileNameA(media_directory, "qcf", 0, draft) == 0 ||
        GetFileAttributesA(draft) == INVALID_FILE_ATTRIBUTES) {
        return RC_MEDIA_FILE_NOT_WRITTEN;
    }
    bool written = GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ||
                   (CopyFileA(path, draft, FALSE) && SetFileAttributesA(draft, FILE_ATTRIBUTE_NORMAL));
    written = written && write_profile_entries(draft, entries, count);
    // The profile calls may keep the draft's keys in a cache: the draft leaves it before it
    // takes the file's place, and a failed one before it is deleted.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, draft);
    if (written && MoveFileExA(draft, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return RC_SUCCESS;
    }
    DeleteFileA(draft);
    return RC_MEDIA_FILE_NOT_WRITTEN;
}

void save_media_files(const char* media_directory, const MediaLibrary& library)
{
    for (std::int32_t i = 0; i < library.Count && i < MEDIA_LIBRARY_SIZE; ++i) {
        // A file that could not be written keeps what it held; nothing more can be done here.
        (void)write_media_file(media_directory, library.Media[i]);
    }
}
