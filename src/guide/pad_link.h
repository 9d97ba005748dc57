// The button pad as the guide reaches it: the Pad state, whose disabled markers the guide writes,
// and the pad rectangles, which it invalidates so that the pad redraws the buttons it switched.
// The pad module owns both records; the guide only receives them.
#ifndef CUTTER_GUIDE_PAD_LINK_H
#define CUTTER_GUIDE_PAD_LINK_H

#include "positioning/button_pad.h"

#endif
