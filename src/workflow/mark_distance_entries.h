// The job panel's registration-mark distance edits (5111 "Width:", 5113 "Length:"), their unit
// captions and the unit radio buttons: showing stored distances, checking what the user typed
// and switching the unit. Every operation addresses the panel through the handle it is given.
#ifndef CUTTER_MARK_DISTANCE_ENTRIES_H
#define CUTTER_MARK_DISTANCE_ENTRIES_H

#include <windows.h>

#include <cstdint>

#include "common/result_code.h"
#include "mark_distances.h"
#include "settings/settings_record.h"


// Longest text taken from one distance edit.
constexpr int DISTANCE_ENTRY_LIMIT = 512;

// What the two edits held, and their values in the unit in which they were checked.
struct DistanceEntries {
    char HorizontalText[DISTANCE_ENTRY_LIMIT + 1];
    char VerticalText[DISTANCE_ENTRY_LIMIT + 1];
    double Horizontal;
    double Vertical;
};

// Writes both distances (micrometres) into the edits in `unit`, the unit's caption beside each,
// and redraws the panel at once.
void show_mark_distances(HWND panel, std::int32_t horizontal, std::int32_t vertical, std::int32_t unit);

// Gives the control the keyboard focus and selects its whole text, so the user can type over it.
void select_edit_text(HWND dialog, int control_id);

// Reads and checks both edits in the settings' Direction and Unit (PosSet is not looked at). On failure returns the code
// whose message names the permitted range of the offending field, and that edit has the focus
// with its text selected; the horizontal field is judged first.
[[nodiscard]] ResultCode validate_distance_entries(HWND panel, const Settings& settings, DistanceEntries* entries);

// Handler of the unit radio buttons (5115 with 0, 5116 with 1; the button has already changed).
// With registration marks in use the edits are checked in the old unit and shown converted;
// on failure the old unit's button is checked again and the Unit stays.
[[nodiscard]] ResultCode set_unit(HWND panel, Settings* settings, std::int32_t new_unit);

#endif
