// Feeds random printer descriptions and names (any bytes, any length, each in a buffer of
// exactly its size, separated by a zero byte) to the printer-list rules. Checked: a printer
// belongs to the cutter family exactly when its first 515 characters, ASCII letters upper-cased,
// contain the family words; a kept name is terminated within its slot and is the name's first
// 512 characters.
#include <cstring>

#include "device/cutter_printers.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> parts = split(std::string(reinterpret_cast<const char*>(data), size), '\0');
    const std::string name = parts.size() > 1 ? parts[1] : std::string();
    std::string judged = parts[0].substr(0, DESCRIPTION_BUFFER_SIZE - 1);
    for (char& c : judged) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    check(is_cutter_description(exact_buffer(parts[0]).data()) == (judged.find(CUTTER_FAMILY_MATCH) != std::string::npos),
          "family judged by the first 515 characters, case ignored");
    check(!is_cutter_description(nullptr), "a printer without description is no cutter");

    std::vector<char> slot(PRINTER_NAME_SLOT_SIZE, '#');
    copy_printer_name(slot.data(), exact_buffer(name).data());
    const char* stop = static_cast<const char*>(std::memchr(slot.data(), '\0', slot.size()));
    check(stop != nullptr, "name terminated within its slot");
    check(std::string(static_cast<const char*>(slot.data()), stop) == name.substr(0, PRINTER_NAME_SLOT_SIZE - 1),
          "the first 512 characters are kept");
    return 0;
}
