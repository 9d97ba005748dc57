// The platform's profile (INI) calls as the settings file and the media files use them.
#ifndef CUTTER_PROFILE_CALLS_H
#define CUTTER_PROFILE_CALLS_H

#include <cstddef>
#include <cstdint>

#include "media_library.h"

// The key's integer, or `fallback` when the key is missing.
std::int32_t profile_number(const char* file, const char* section, const char* key,
                            std::int32_t fallback);

// The key's text, or `fallback` when it is missing, into `size` bytes, always terminated.
void profile_text(const char* file, const char* section, const char* key, const char* fallback,
                  char* text, std::size_t size);

// Writes the entries in their order.
void write_profile_entries(const char* file, const ProfileEntry* entries, int count);

#endif
