// The media library's sources on disk: the built-in names of the string table and the media
// files of the Media directory, read and written through the platform's profile calls.
#ifndef CUTTER_MEDIA_FILES_H
#define CUTTER_MEDIA_FILES_H

#include <cstdint>

#include "common/result_code.h"
#include "media_library.h"

// The run's one Media library. Only the window procedures reach for it; every operation
// receives it as a parameter.
extern MediaLibrary g_media_library;

// Clears the library and fills the 12 built-in media, names from the string table.
void load_built_in_media(MediaLibrary* library);

// Reads every acceptable media file of `media_directory` (up to 128), sorts them by ListID,
// numbers them and returns the index of the last one named exactly `select_name` (0 when none
// is). Files that fail a check are skipped silently; a library with Count 0 means none passed.
std::int32_t load_media_files(const char* media_directory, const char* select_name,
                              MediaLibrary* library);

// Writes the media file of an adjustable or user media; does nothing for fixed media. The keys
// go to a new file in the Media directory (with every other key the old file had), which then
// takes the media file's place: a write that fails on the way (a read-only folder, a full disk)
// leaves the old file, or none, and no part-written one. RC_MEDIA_FILE_NOT_WRITTEN then.
[[nodiscard]] ResultCode write_media_file(const char* media_directory, const MediaRecord& record);

// Writes the media file of each record in use, in library order. A file that cannot be written
// keeps what it held; the others are written all the same.
void save_media_files(const char* media_directory, const MediaLibrary& library);

#endif
