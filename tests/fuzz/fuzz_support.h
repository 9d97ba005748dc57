// Shared by the fuzzers: the property check, and INI text read as the profile calls read it.
#ifndef CUTTER_FUZZ_SUPPORT_H
#define CUTTER_FUZZ_SUPPORT_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

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

using Keys = std::map<std::string, std::string>;  // "Section/Key" -> text

// "[Section]" and "Key=Value" lines; keys before any section belong to `section`.
inline Keys parse_ini(const std::string& text, std::string section = "")
{
    Keys keys;
    for (const std::string& line : split(text, '\n')) {
        const std::size_t equals = line.find('=');
        if (line.size() >= 2 && line[0] == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (equals != std::string::npos) {
            keys.emplace(section + "/" + line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return keys;
}

// A number as the profile calls read it: an optional sign and leading decimal digits, 0 when
// there are none, wrapping at 32 bits.
inline std::int32_t keys_number(const void* file, const char* section, const char* key, std::int32_t fallback)
{
    const Keys& keys = *static_cast<const Keys*>(file);
    const auto found = keys.find(std::string(section) + "/" + key);
    if (found == keys.end()) {
        return fallback;
    }
    const std::string& text = found->second;
    std::size_t i = text.size() > 0 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    }
    return static_cast<std::int32_t>(text.size() > 0 && text[0] == '-' ? 0u - value : value);
}

// Text cut to the buffer and at a zero byte, as a C string.
inline void keys_text(const void* file, const char* section, const char* key, const char* fallback,
                      char* text, std::size_t size)
{
    const Keys& keys = *static_cast<const Keys*>(file);
    const auto found = keys.find(std::string(section) + "/" + key);
    const std::string value = found == keys.end() ? std::string(fallback) : found->second;
    std::size_t n = 0;
    for (; n + 1 < size && n < value.size() && value[n] != '\0'; ++n) {
        text[n] = value[n];
    }
    text[n] = '\0';
}

#endif
