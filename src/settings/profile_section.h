// A section of a settings or media file read whole, and the keys taken from it exactly as the
// platform's per-key profile calls would give them. One read per section instead of one per key:
// under Wine every profile call opens the file again.
#ifndef CUTTER_PROFILE_SECTION_H
#define CUTTER_PROFILE_SECTION_H

#include <cstddef>
#include <cstdint>

// What a whole-section read brought. The section arrives as the profile calls hand it over:
// entries "Key=Value" (a line without '=' gives its bare name), each ended by a zero byte, the
// list by a second one.
enum class SectionRead {
    Entries,   // the entries are complete and can stand in for the per-key reads
    Missing,   // no such section, or none with a key: every key gives its fallback
    Unusable,  // possibly cut short, or with characters beyond ASCII: read key by key
};

// Judges a read that returned `length` into a buffer of `size` bytes. Before the read the caller
// puts a non-zero byte at the buffer's start, so that a read that wrote nothing is told apart.
// Beyond ASCII the per-key calls compare names with rules of their own and convert texts in ways
// this code does not repeat, so such a section is left to them.
SectionRead judge_section_read(const char* buffer, std::size_t length, std::size_t size);

// The key's text into `size` bytes (at least 1), always terminated, as the per-key text call with
// the same buffer gives it: the first entry of that name (any case) decides; a bare name or a
// missing key gives `fallback` (without its trailing blanks); one pair of matching quotes around
// the text is removed; a text longer than the buffer is cut.
void section_text(const char* entries, const char* key, const char* fallback, char* text,
                  std::size_t size);

// The key's number as the per-key number call gives it: `fallback` when the key's text is missing
// or empty, otherwise the text's leading number (blanks, a sign, then decimal digits or "0x", "0o",
// "0b" and their digits; none counts as 0), wrapping at 32 bits. The text is taken as the
// platform takes it, in a 30-character buffer.
std::int32_t section_number(const char* entries, const char* key, std::int32_t fallback);

#endif
