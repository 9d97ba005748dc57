#include "cutter_printers.h"

#include <cstring>

#include "common/ascii_text.h"

bool is_cutter_description(const char* description)
{
    if (description == nullptr) {
        return false;
    }
    char upper[DESCRIPTION_BUFFER_SIZE];
    // ASCII letters only: the bytes of a multibyte code page stay as they are.
    copy_ascii_upper(description, upper, DESCRIPTION_BUFFER_SIZE - 1);
    return std::strstr(upper, CUTTER_FAMILY_MATCH) != nullptr;
}

void copy_printer_name(char* slot, const char* name)
{
    std::size_t i = 0;
    for (; name != nullptr && i + 1 < PRINTER_NAME_SLOT_SIZE && name[i] != '\0'; ++i) {
        slot[i] = name[i];
    }
    slot[i] = '\0';
}
