#include <gtest/gtest.h>

#include <tuple>

#include "common/bar_step.h"

namespace {

TEST(BarStep, StepsStayWithinTheScaleAndOnlyADroppedOrSteppedChangeIsSent)
{
    constexpr BarScale scale{1, 10, 5};
    struct Case { int code; std::int32_t stored, thumb, value; bool handled, send; };
    const Case cases[] = {
        {BAR_LINE_LEFT, 1, 0, 1, true, false},      // at the minimum: nothing to send
        {BAR_LINE_RIGHT, 4, 0, 5, true, true},      {BAR_LINE_RIGHT, 10, 0, 10, true, false},
        {BAR_PAGE_LEFT, 8, 0, 3, true, true},       {BAR_PAGE_LEFT, 3, 0, 1, true, true},
        {BAR_PAGE_RIGHT, 4, 0, 9, true, true},      {BAR_PAGE_RIGHT, 7, 0, 10, true, true},
        {BAR_THUMB_TRACK, 3, 8, 8, true, false},    // only the display follows the drag
        {BAR_THUMB_POSITION, 3, 8, 8, true, true},  {BAR_THUMB_POSITION, 8, 8, 8, true, false},
        {BAR_THUMB_POSITION, 3, 12, 10, true, true}, {BAR_THUMB_TRACK, 3, -2, 1, true, false},
        {8, 3, 8, 3, false, false},                 // SB_ENDSCROLL: no step
    };
    for (const Case& c : cases) {
        const BarStep step = bar_step(scale, c.code, c.stored, c.thumb);
        EXPECT_EQ(std::make_tuple(step.Handled, step.Value, step.Send), std::make_tuple(c.handled, c.value, c.send))
            << "code " << c.code << " from " << c.stored << ", thumb " << c.thumb;
    }
}

}  // namespace
