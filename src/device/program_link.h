// The program's link to the cutter: the debugger output, the USB transport, the clock, the demo
// texts from the string table and the run's demo mode. The program builds it once at start;
// every operation of cutter_protocol.h receives it.
#ifndef CUTTER_PROGRAM_LINK_H
#define CUTTER_PROGRAM_LINK_H

#include <cstdint>

#include "common/launch_options.h"
#include "cutter_protocol.h"

// `demo_mode` is one of DemoMode: DEMO_OFF talks to the cutter.
CutterLink program_link(std::int32_t demo_mode);

#endif
