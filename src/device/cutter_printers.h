// Which printer queues belong to the cutter family, and how their names are kept: the
// platform-free part of the printer list (the spooler calls are in usb_transport.cpp).
#ifndef CUTTER_CUTTER_PRINTERS_H
#define CUTTER_CUTTER_PRINTERS_H

#include <cstddef>

// A printer belongs to the cutter family when its description, upper-cased, contains this.
constexpr const char* CUTTER_FAMILY_MATCH = "VELLMORA CINDREL";

// The description is looked at through a work buffer of this size: a longer description is
// judged by its first 515 characters.
constexpr std::size_t DESCRIPTION_BUFFER_SIZE = 516;

// One slot of the printer list: a name of at most 512 characters and its terminator. A longer
// name is cut to 512 characters.
constexpr std::size_t PRINTER_NAME_SLOT_SIZE = 513;

bool is_cutter_description(const char* description);
void copy_printer_name(char* slot, const char* name);

#endif
