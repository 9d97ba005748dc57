// The Media library: every media type the controller knows, in one table ordered by ListID.
// Index i of the library is entry i of the job panel's media list. This header and its source
// hold the value rules (checks, cap words, sorting, condition numbers, the keys written to a
// media file); the directory scan and the profile calls sit in media_files.cpp.
#ifndef CUTTER_MEDIA_LIBRARY_H
#define CUTTER_MEDIA_LIBRARY_H

#include <cstddef>
#include <cstdint>

constexpr int MEDIA_NAME_LIMIT = 64;                     // characters of a media name
constexpr int MEDIA_NAME_SIZE = MEDIA_NAME_LIMIT + 1;    // with the terminator
constexpr int BUILT_IN_NAME_SIZE = 64;                   // string-table names: at most 63 characters
constexpr int MEDIA_LIBRARY_SIZE = 128;
constexpr int BUILT_IN_MEDIA_COUNT = 12;
constexpr int MEDIA_PROFILE_TEXT_SIZE = 512;             // buffer of every text read from a media file

// Cut condition numbers of file media start here; the position in the library is added.
constexpr std::int32_t FILE_CONDITION_BASE = 100;

constexpr std::int32_t SPEED_MIN = 1;
constexpr std::int32_t SPEED_MAX = 10;
constexpr std::int32_t FORCE_MIN = 1;
constexpr std::int32_t FORCE_MAX = 3;

// Blade adjustment caps. Every cap fixes the cutter offset of the blade; the pen has none.
enum BladeCap : std::int32_t {
    CAP_PEN = 0,
    CAP_BLUE = 1,
    CAP_YELLOW = 2,
    CAP_RED = 3,
};
constexpr std::int32_t CAP_CUTTER_OFFSET = 18;
constexpr std::int32_t PEN_CUTTER_OFFSET = 0;

enum ConfigurationMode : std::int32_t {
    MEDIA_FIXED = 0,       // factory media, speed and force from "Defaults" only
    MEDIA_ADJUSTABLE = 1,  // factory media the user may adjust ("Defaults" plus "Modify")
    MEDIA_USER = 2,        // media the user added ("User")
};

// One media type.
struct MediaRecord {
    char          Name[MEDIA_NAME_SIZE];
    std::uint32_t ListID;
    std::int32_t  ConfigurationMode;
    std::int32_t  ConditionNo;
    std::int32_t  DefaultSpeed;
    std::int32_t  DefaultPress;
    std::int32_t  Speed;
    std::int32_t  Press;
    std::int32_t  CutterOffset;
    std::int32_t  Cap;
};

struct MediaLibrary {
    std::int32_t  Count;          // records in use, the first Count of Media
    std::uint32_t HighestListID;
    MediaRecord   Media[MEDIA_LIBRARY_SIZE];
};

// The record at `index` (the Settings record's CutCondition); the first one for an index
// outside the library, so that no caller can reach past it.
const MediaRecord& media_at(const MediaLibrary& library, std::int32_t index);

// Empty Name, ListID 0 and -1 in every other field.
void empty_media_record(MediaRecord* record);

// Count 0, HighestListID 0 and every record empty.
void clear_media_library(MediaLibrary* library);

// Clears the library and fills the 12 built-in media, all but their names, which live in the
// string table (built_in_media_name_id).
void fill_built_in_media(MediaLibrary* library);
int built_in_media_name_id(int index);

// Orders the records in use by ascending ListID (unsigned) with a selection sort: among equal
// ListIDs the first one found is moved forward, so equal records may change their order.
void sort_media_library(MediaLibrary* library);

// Numbers the records in use 100, 101, ... in library order and returns the index of the last
// record named exactly `select_name`, or 0 when there is none.
std::int32_t number_media_and_select(MediaLibrary* library, const char* select_name);

struct MediaMatch {
    bool          Found;
    std::int32_t  Index;
    std::uint32_t ListID;
    std::int32_t  ConfigurationMode;
};

// The first record in use named exactly `name` (case included).
MediaMatch find_media_by_name(const MediaLibrary& library, const char* name);

// ---- Rules of a media file ----------------------------------------------------------------

// The candidate media name of a directory entry: the file name without the text after its last
// dot. False when the name would be longer than a media name may be.
bool media_name_from_file_name(const char* file_name, char name[MEDIA_NAME_SIZE]);

// "Generic" "Product" and "Type" name a file written for this controller (compared exactly).
bool media_file_identified(const char* product, const char* type);

bool configuration_mode_known(std::int32_t mode);
bool speed_in_range(std::int32_t speed);
bool force_in_range(std::int32_t force);

// "Modify" values outside their range fall back to the "Defaults" value.
std::int32_t adjusted_speed(std::int32_t modify_speed, std::int32_t default_speed);
std::int32_t adjusted_force(std::int32_t modify_force, std::int32_t default_force);

// The cap of a cap word ("Red", "Yellow", "Blue", "Pen", exact case); the pen only where it is
// allowed (not for user media). False for any other word.
bool cap_from_word(const char* word, bool pen_allowed, std::int32_t* cap);
std::int32_t cutter_offset_of_cap(std::int32_t cap);

// The values of a media file that passed every check.
struct MediaFileValues {
    std::uint32_t ListID;
    std::int32_t  ConfigurationMode;
    std::int32_t  DefaultSpeed;  // mode 0 and 1: "Defaults"; mode 2: -1
    std::int32_t  DefaultPress;
    std::int32_t  Speed;         // mode 0: "Defaults"; mode 1: "Modify"; mode 2: "User"
    std::int32_t  Press;
    std::int32_t  Cap;
};

// How the keys of one media file are read: the program reads them with the platform's profile
// calls, tests and fuzzers from texts of their own. `number` gives the key's integer or
// `fallback` when the key is missing; `text` copies the key's text, or `fallback` when it is
// missing, into `size` bytes, always terminated.
struct MediaFileReader {
    std::int32_t (*number)(const void* file, const char* section, const char* key,
                           std::int32_t fallback);
    void (*text)(const void* file, const char* section, const char* key, const char* fallback,
                 char* text, std::size_t size);
    const void* file;
};

// Defaults of the reads of a media file: a text that no check accepts, a number outside every
// range.
constexpr const char* MEDIA_MISSING_TEXT = "Error";
constexpr std::int32_t MEDIA_MISSING_NUMBER = -1;

// Reads one media file in the order of its checks; false at the first check it fails, and then
// *values holds no record to take.
bool read_media_file_values(const MediaFileReader& reader, MediaFileValues* values);

// One entry of the Media directory's listing of "*.qcf".
struct MediaFolderEntry {
    const char* FileName;
    bool        Directory;
};

// How `load media files` reaches the Media directory: the program lists it with the platform's
// directory calls and reads its files with the profile calls (media_files.cpp); the fuzzer gives
// a folder of its own.
struct MediaFolder {
    // The next entry of the listing; false at its end.
    bool (*next_entry)(void* folder, MediaFolderEntry* entry);
    // Reads the media file of the media named `name`; false when it fails a check.
    bool (*read_file)(void* folder, const char* name, MediaFileValues* values);
    void* folder;
};

// `load media files` over a folder: clears the library, takes every acceptable file (up to
// 128), sorts them by ListID, numbers them and returns the index of the last one named exactly
// `select_name` (0 when none is). A library with Count 0 means no file passed.
std::int32_t scan_media_folder(const MediaFolder& folder, const char* select_name,
                               MediaLibrary* library);

// Takes an accepted file into the next free record and raises HighestListID where needed.
// False (and nothing changed) when the library is full.
bool add_media_record(MediaLibrary* library, const char* name, const MediaFileValues& values);

// One key written to a media file, in the order it is written.
struct ProfileEntry {
    const char* Section;
    const char* Key;
    char        Value[MEDIA_NAME_SIZE];  // a number, a fixed word or a media name
};
constexpr int MEDIA_FILE_ENTRY_LIMIT = 9;

// The keys `write media file` writes for a record, in order; 0 entries for fixed media. A cap
// that the file could not name (outside the words of its section) is left out, so a damaged
// record never writes a word that would make its file unreadable.
int media_file_entries(const MediaRecord& record, ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT]);

// Text of the file name: Name followed by ".qcf".
constexpr const char* MEDIA_FILE_EXTENSION = ".qcf";
constexpr const char* MEDIA_PRODUCT = "Quillmark Controller Ver2";
constexpr const char* MEDIA_TYPE = "Quillmark";

#endif
