// The run's link to the cutter: debugger output, the USB transport, Sleep and the demo texts.
#ifndef CUTTER_PROGRAM_LINK_H
#define CUTTER_PROGRAM_LINK_H

#include <cstdint>

#include "cutter_protocol.h"

CutterLink program_link(std::int32_t demo_mode);

#endif
