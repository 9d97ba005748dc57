#include "bar_step.h"

BarStep bar_step(const BarScale& scale, int code, std::int32_t stored, std::int32_t thumb)
{
    std::int32_t value = stored;
    switch (code) {
    case BAR_LINE_LEFT:      value = stored - 1; break;
    case BAR_LINE_RIGHT:     value = stored + 1; break;
    case BAR_PAGE_LEFT:      value = stored - scale.Page; break;
    case BAR_PAGE_RIGHT:     value = stored + scale.Page; break;
    case BAR_THUMB_POSITION:
    case BAR_THUMB_TRACK:    value = thumb; break;
    default:                 return BarStep{false, stored, false};
    }
    value = value < scale.Minimum ? scale.Minimum : value > scale.Maximum ? scale.Maximum : value;
    // While the thumb is dragged only the display follows; the value goes when it is dropped.
    return BarStep{true, value, value != stored && code != BAR_THUMB_TRACK};
}
