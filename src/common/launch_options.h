// Launch options: what the printing side tells the controller on the command line, and the
// demo mode. Read once at start; every other module receives a copy.
#ifndef CUTTER_LAUNCH_OPTIONS_H
#define CUTTER_LAUNCH_OPTIONS_H

#include <cstdint>

#include "result_code.h"

struct LaunchOptions {
    std::int32_t OwnerGiven;
    std::int32_t OwnerWindow;          // window handle written as a signed decimal number
    std::int32_t CutMode;
    std::int32_t NoRegistrationMarks;
    std::int32_t OrientationGiven;
    std::int32_t Orientation;          // 0 landscape, 1 portrait; checked at start-up
    std::int32_t DistancesGiven;
    double       HorizontalDistance;   // millimetres
    double       VerticalDistance;     // millimetres
    std::int32_t HorizontalDistanceConverted;  // micrometres, filled in by the job panel
    std::int32_t VerticalDistanceConverted;
    std::int32_t MarkSizeGiven;
    double       MarkSize;             // millimetres
    ResultCode   LaunchResult;         // an out-of-range option, shown once after start-up
};

// Demo mode: the device link sends nothing and answers as a cutter with this firmware would.
enum DemoMode : std::int32_t {
    DEMO_OFF = 0,
    DEMO_VERSION_1 = 1,  // firmware "1.00"
    DEMO_VERSION_2 = 2,  // firmware "2.01"
};

// Sets every field to its "option absent" value.
void reset_launch_options(LaunchOptions* options);

#endif
