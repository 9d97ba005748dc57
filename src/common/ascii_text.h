// Upper-casing of ASCII letters only, whatever the current locale: command-line words, printer
// descriptions, media names and profile keys are compared this way.
#ifndef CUTTER_ASCII_TEXT_H
#define CUTTER_ASCII_TEXT_H

#include <cstddef>

inline char ascii_upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Copies at most `limit` characters of `text` upper-cased into `out` (limit + 1 bytes) and
// terminates it.
inline void copy_ascii_upper(const char* text, char* out, std::size_t limit)
{
    std::size_t i = 0;
    for (; i < limit && text[i] != '\0'; ++i) {
        out[i] = ascii_upper(text[i]);
    }
    out[i] = '\0';
}

// Whether the first `length` characters of `name` are `other`, ASCII letters in either case.
inline bool ascii_same_ignoring_case(const char* name, std::size_t length, const char* other)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (other[i] == '\0' || ascii_upper(name[i]) != ascii_upper(other[i])) {
            return false;
        }
    }
    return other[length] == '\0';
}

#endif
