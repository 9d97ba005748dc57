#include "profile_calls.h"

#include <windows.h>

#include <cstring>

namespace {

// Room for every section a settings or media file needs; a larger one is read key by key.
constexpr DWORD SECTION_BUFFER_SIZE = 4096;

// The kept section of that name, read now when it was not read before; nullptr when no more
// sections can be kept.
const KeptSection* kept_section(const ProfileFile& file, const char* section)
{
    for (int i = 0; i < file.Count; ++i) {
        if (std::strcmp(file.Sections[i].Name, section) == 0) {
            return &file.Sections[i];
        }
    }
    if (file.Count == KEPT_SECTION_LIMIT) {
        return nullptr;
    }
    KeptSection& kept = file.Sections[file.Count++];
    kept.Name = section;
    kept.Entries.assign(SECTION_BUFFER_SIZE, '\0');
    kept.Entries[0] = '*';  // tells a read that wrote nothing from an empty one
    const DWORD length = GetPrivateProfileSectionA(section, kept.Entries.data(),
                                                   SECTION_BUFFER_SIZE, file.Path);
    kept.Read = judge_section_read(kept.Entries.data(), length, SECTION_BUFFER_SIZE);
    if (kept.Read == SectionRead::Missing) {
        kept.Entries.assign(2, '\0');
    }
    return &kept;
}

// The section's entries when they stand in for the per-key calls, otherwise nullptr.
const char* section_entries(const ProfileFile& file, const char* section)
{
    const KeptSection* kept = kept_section(file, section);
    return kept != nullptr && kept->Read != SectionRead::Unusable ? kept->Entries.data() : nullptr;
}

}  // namespace

std::int32_t profile_number(const ProfileFile& file, const char* section, const char* key,
                            std::int32_t fallback)
{
    if (const char* entries = section_entries(file, section)) {
        return section_number(entries, key, fallback);
    }
    return static_cast<std::int32_t>(
        GetPrivateProfileIntA(section, key, static_cast<INT>(fallback), file.Path));
}

void profile_text(const ProfileFile& file, const char* section, const char* key,
                  const char* fallback, char* text, std::size_t size)
{
    if (const char* entries = section_entries(file, section)) {
        section_text(entries, key, fallback, text, size);
        return;
    }
    GetPrivateProfileStringA(section, key, fallback, text, static_cast<DWORD>(size), file.Path);
}

bool write_profile_entries(const char* file, const ProfileEntry* entries, int count)
{
    bool all_taken = true;
    for (int i = 0; i < count; ++i) {
        // A key the file did not take does not keep the later ones from being written.
        all_taken = WritePrivateProfileStringA(entries[i].Section, entries[i].Key, entries[i].Value,
                                               file) != 0 && all_taken;
    }
    return all_taken;
}
