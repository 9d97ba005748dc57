// The button pad as the guide reaches it: the Pad state, whose disabled markers the guide writes,
// and the pad rectangles, which it invalidates so that the pad redraws the buttons it switched.
// The pad module owns both records and these names; the guide only receives them.
#ifndef CUTTER_GUIDE_PAD_LINK_H
#define CUTTER_GUIDE_PAD_LINK_H

#include <cstdint>

constexpr std::int32_t PAD_ARROWS_DISABLED = 16;  // the direction set while the arrows are disabled
constexpr std::int32_t PAD_BUTTON_IDLE = 0;       // test cut and set origin states
constexpr std::int32_t PAD_BUTTON_DISABLED = 2;

struct PadState {
    std::int32_t input_mode;
    std::int32_t direction_set;
    std::int32_t test_cut_state;
    std::int32_t set_origin_state;
};

enum PadButton : int {
    PAD_BUTTON_UP,
    PAD_BUTTON_DOWN,
    PAD_BUTTON_LEFT,
    PAD_BUTTON_RIGHT,
    PAD_BUTTON_TEST_CUT,
    PAD_BUTTON_SET_ORIGIN,
    PAD_BUTTON_COUNT,
};

// In the job panel's client pixels; a point on any of the four edges is inside.
struct PadRect {
    std::int32_t left, top, right, bottom;
};

struct PadRectangles {
    PadRect button[PAD_BUTTON_COUNT];
};

// The run's pad records, handed to the guide by the main window and the job panel.
extern PadState g_pad_state;
extern PadRectangles g_pad_rectangles;

#endif
