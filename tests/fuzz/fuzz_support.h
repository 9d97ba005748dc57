// Shared by the fuzzers: the property check, and INI text read as the program reads it.
#ifndef CUTTER_FUZZ_SUPPORT_H
#define CUTTER_FUZZ_SUPPORT_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "settings/profile_section.h"

inline void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

inline std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    return parts;
}

// A file's sections as the profile calls hand them over whole: "Section" -> its entries, each
// ended by a zero byte, the list by a second one. The keys are taken from them by the section
// reader the program uses (profile_section.h).
using Keys = std::map<std::string, std::string>;

// "[Section]" and entry lines; entries before any section belong to `section`. The platform
// keeps a line only up to a zero byte, and no empty one.
inline Keys parse_ini(const std::string& text, std::string section = "")
{
    Keys keys;
    for (const std::string& line : split(text, '\n')) {
        if (line.size() >= 2 && line[0] == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (line[0] != '\0') {
            keys[section] += line.c_str() + std::string(1, '\0');
        }
    }
    return keys;
}

// The section's entry list; an empty list for a missing section.
inline const char* section_of(const void* file, const char* section)
{
    const Keys& keys = *static_cast<const Keys*>(file);
    const auto found = keys.find(section);
    return found == keys.end() ? "" : found->second.c_str();
}

inline std::int32_t keys_number(const void* file, const char* section, const char* key, std::int32_t fallback)
{
    return section_number(section_of(file, section), key, fallback);
}

inline void keys_text(const void* file, const char* section, const char* key, const char* fallback,
                      char* text, std::size_t size)
{
    section_text(section_of(file, section), key, fallback, text, size);
}

#endif
