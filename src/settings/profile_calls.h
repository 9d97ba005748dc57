// The platform's profile (INI) calls as the settings file and the media files use them.
#ifndef CUTTER_PROFILE_CALLS_H
#define CUTTER_PROFILE_CALLS_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media_library.h"
#include "profile_section.h"

// A section read whole, kept for the keys asked after the first.
struct KeptSection {
    const char*       Name = nullptr;
    SectionRead       Read = SectionRead::Unusable;
    std::vector<char> Entries;
};

// A profile file whose keys are read a section at a time: the first key asked of a section reads
// it whole with one call; the rest come from what was kept. A section that cannot stand in for
// the per-key calls (see judge_section_read) is read key by key. Keeping is a cache: it does not
// change what the keys read, so it is mutable behind a read-only file.
constexpr int KEPT_SECTION_LIMIT = 4;
struct ProfileFile {
    const char*         Path = nullptr;
    mutable KeptSection Sections[KEPT_SECTION_LIMIT];
    mutable int         Count = 0;
};

// The key's integer, or `fallback` when the key is missing.
std::int32_t profile_number(const ProfileFile& file, const char* section, const char* key,
                            std::int32_t fallback);

// The key's text, or `fallback` when it is missing, into `size` bytes, always terminated.
void profile_text(const ProfileFile& file, const char* section, const char* key,
                  const char* fallback, char* text, std::size_t size);

// Writes every entry in its order; false when the file did not take one of them.
bool write_profile_entries(const char* file, const ProfileEntry* entries, int count);

#endif
