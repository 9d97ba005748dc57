#include "profile_section.h"

#include <cstring>

#include "common/ascii_text.h"

namespace {

// The platform reads a number's text into a buffer of this many characters.
constexpr std::size_t NUMBER_TEXT_SIZE = 30;

// The value of the first entry named `key`; nullptr for a bare name or no such entry.
const char* find_value(const char* entries, const char* key)
{
    for (const char* entry = entries; *entry != '\0'; entry += std::strlen(entry) + 1) {
        const char* equals = std::strchr(entry, '=');
        const std::size_t name_length = equals != nullptr ? static_cast<std::size_t>(equals - entry)
                                                          : std::strlen(entry);
        if (ascii_same_ignoring_case(entry, name_length, key)) {
            return equals != nullptr ? equals + 1 : nullptr;
        }
    }
    return nullptr;
}

// Copies the `length` characters of `value` into `size` bytes as the profile calls do: one pair
// of matching quotes comes off, but only when the closing one fits the buffer; when the text
// after the opening quote is as long as the buffer, its last character goes instead, as the
// platform's copy does.
void copy_value(const char* value, std::size_t length, char* text, std::size_t size)
{
    bool quoted = false;
    if ((value[0] == '\'' || value[0] == '"') && length > 1 && value[length - 1] == value[0]) {
        quoted = true;
        ++value;
        --length;
    }
    const std::size_t copied = length < size - 1 ? length : size - 1;
    std::memcpy(text, value, copied);
    text[copied] = '\0';
    if (quoted && size >= length && copied > 0) {
        text[copied - 1] = '\0';
    }
}

int digit_of(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    return -1;
}

std::uint32_t leading_number(const char* text)
{
    while (*text != '\0' && static_cast<unsigned char>(*text) <= ' ') {
        ++text;
    }
    const bool minus = *text == '-';
    if (*text == '+' || *text == '-') {
        ++text;
    }
    int base = 10;
    if (text[0] == '0' && (text[1] == 'b' || text[1] == 'o' || text[1] == 'x')) {
        base = text[1] == 'b' ? 2 : text[1] == 'o' ? 8 : 16;
        text += 2;
    }
    std::uint32_t value = 0;
    for (int digit; (digit = digit_of(*text)) >= 0 && digit < base; ++text) {
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return minus ? 0u - value : value;
}

}  // namespace

SectionRead judge_section_read(const char* buffer, std::size_t length, std::size_t size)
{
    if (length == 0) {
        return buffer[0] == '\0' ? SectionRead::Missing : SectionRead::Unusable;
    }
    // A full buffer may hold a cut list: the calls report that as two bytes short of the size.
    if (size < 2 || length >= size - 2) {
        return SectionRead::Unusable;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(buffer[i]) >= 0x80) {
            return SectionRead::Unusable;
        }
    }
    return SectionRead::Entries;
}

void section_text(const char* entries, const char* key, const char* fallback, char* text,
                  std::size_t size)
{
    const char* value = find_value(entries, key);
    if (value != nullptr) {
        copy_value(value, std::strlen(value), text, size);
    } else {
        // Blanks at the fallback's end do not count.
        std::size_t length = std::strlen(fallback);
        while (length > 0 && fallback[length - 1] == ' ') {
            --length;
        }
        copy_value(fallback, length, text, size);
    }
}

std::int32_t section_number(const char* entries, const char* key, std::int32_t fallback)
{
    const char* value = find_value(entries, key);
    if (value == nullptr) {
        return fallback;
    }
    char text[NUMBER_TEXT_SIZE];
    copy_value(value, std::strlen(value), text, sizeof text);
    return text[0] == '\0' ? fallback : static_cast<std::int32_t>(leading_number(text));
}
