// The button pad as the guide reaches it: the Pad state, whose disabled markers the guide writes,
// and the pad rectangles, which it invalidates so that the pad redraws the buttons it switched.
// The pad module owns both records; the guide only receives them.
#ifndef CUTTER_GUIDE_PAD_LINK_H
#define CUTTER_GUIDE_PAD_LINK_H

#include <cstdint>

struct PadState {
    std::int32_t InputMode;
    std::int32_t DirectionSet;    // PAD_ARROWS_DISABLED (16): the arrows are disabled
    std::int32_t TestCutState;    // PAD_BUTTON_DISABLED (2): disabled
    std::int32_t SetOriginState;
};

// Job-panel client pixels, all four edges inside.
struct PadRectangle {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

enum PadButton { PAD_UP, PAD_DOWN, PAD_LEFT, PAD_RIGHT, PAD_TEST_CUT, PAD_SET_ORIGIN, PAD_BUTTON_COUNT };

struct PadRectangles {
    PadRectangle Button[PAD_BUTTON_COUNT];
};

// The run's pad records, handed to the guide by the main window and the job panel.
extern PadState g_pad_state;
extern PadRectangles g_pad_rectangles;

#endif
