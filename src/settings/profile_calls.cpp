#include "profile_calls.h"

#include <windows.h>

std::int32_t profile_number(const char* file, const char* section, const char* key,
                            std::int32_t fallback)
{
    return static_cast<std::int32_t>(
        GetPrivateProfileIntA(section, key, static_cast<INT>(fallback), file));
}

void profile_text(const char* file, const char* section, const char* key, const char* fallback,
                  char* text, std::size_t size)
{
    GetPrivateProfileStringA(section, key, fallback, text, static_cast<DWORD>(size), file);
}

void write_profile_entries(const char* file, const ProfileEntry* entries, int count)
{
    for (int i = 0; i < count; ++i) {
        WritePrivateProfileStringA(entries[i].Section, entries[i].Key, entries[i].Value, file);
    }
}
