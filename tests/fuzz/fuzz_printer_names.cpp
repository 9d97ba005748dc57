// Feeds random printer descriptions and names (any bytes, any length, each in a buffer of
// exactly its size) to the printer-list rules. Checked: a printer belongs to the cutter family
// exactly when its first 515 characters, ASCII letters upper-cased, contain the family words;
// a kept name is terminated within its slot and is the name's first 512 characters.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device/cutter_printers.h"

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Description and name are separated by the first zero byte; the name ends at the next.
    const char* begin = reinterpret_cast<const char*>(data);
    const char* end = begin + size;
    const char* split = std::find(begin, end, '\0');
    std::vector<char> description(begin, split);
    description.push_back('\0');
    const char* name_begin = split == end ? end : split + 1;
    std::vector<char> name(name_begin, std::find(name_begin, end, '\0'));
    name.push_back('\0');

    std::string judged(description.data(), std::min<std::size_t>(description.size() - 1,
                                                                  DESCRIPTION_BUFFER_SIZE - 1));
    for (char& c : judged) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    check(is_cutter_description(description.data()) == (judged.find(CUTTER_FAMILY_MATCH) != std::string::npos),
          "family judged by the first 515 characters, case ignored");
    check(!is_cutter_description(nullptr), "a printer without description is no cutter");

    std::vector<char> slot(PRINTER_NAME_SLOT_SIZE, '#');
    copy_printer_name(slot.data(), name.data());
    const char* stop = static_cast<const char*>(std::memchr(slot.data(), '\0', slot.size()));
    check(stop != nullptr, "name terminated within its slot");
    const std::string kept(static_cast<const char*>(slot.data()), stop);
    const std::string given(name.data());
    check(kept == given.substr(0, PRINTER_NAME_SLOT_SIZE - 1), "the first 512 characters are kept");
    return 0;
}
