// How a scroll bar of the program moves for one scroll message, without the platform: a line
// step, a page step or the thumb, always within the bar's scale, and whether the new value is
// one to send. The job panel's condition bars, the calibration's sensor bars and the Add Media
// bars all move this way; each owns its scale.
#ifndef CUTTER_BAR_STEP_H
#define CUTTER_BAR_STEP_H

#include <cstdint>

// The scroll codes a bar acts on, with the platform's values (SB_LINELEFT ... SB_THUMBTRACK; a
// vertical bar's SB_LINEUP ... SB_PAGEDOWN share them), so the low word of the message goes in
// as it is. "Left" is toward the bar's minimum. Every other code is ignored.
enum BarCode : int {
    BAR_LINE_LEFT = 0,
    BAR_LINE_RIGHT = 1,
    BAR_PAGE_LEFT = 2,
    BAR_PAGE_RIGHT = 3,
    BAR_THUMB_POSITION = 4,
    BAR_THUMB_TRACK = 5,
};

struct BarScale {
    std::int32_t Minimum;
    std::int32_t Maximum;
    std::int32_t Page;  // the step of a click beside the thumb
};

struct BarStep {
    bool         Handled;  // false: the code is not one a bar acts on; Value is the stored one
    std::int32_t Value;    // shown at once
    bool         Send;     // the value differs from the stored one and the thumb is not being dragged
};

// The step of a bar holding `stored` for `code`; `thumb` is the position a thumb message carries.
// A line moves by 1, a page by the scale's page, the thumb to its position; the value never
// leaves the scale.
BarStep bar_step(const BarScale& scale, int code, std::int32_t stored, std::int32_t thumb);

#endif
