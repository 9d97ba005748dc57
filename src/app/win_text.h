// Thin helpers over the string table and the module-level instance handle.
#ifndef CUTTER_WIN_TEXT_H
#define CUTTER_WIN_TEXT_H

#include <windows.h>

#include <string>

// The module instance whose resources every lookup uses (the executable's own).
extern HINSTANCE g_instance;

// Loads string-table entry `id` (at most 511 characters); empty when there is none.
std::string load_text(UINT id);

#endif
