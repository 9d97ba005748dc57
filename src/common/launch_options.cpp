#include "launch_options.h"

void reset_launch_options(LaunchOptions* options)
{
    options->OwnerGiven = 0;
    options->OwnerWindow = 0;
    options->CutMode = 0;
    options->NoRegistrationMarks = 0;
    options->OrientationGiven = 0;
    options->Orientation = -1;
    options->DistancesGiven = 0;
    options->HorizontalDistance = -1.0;
    options->VerticalDistance = -1.0;
    options->HorizontalDistanceConverted = 0;
    options->VerticalDistanceConverted = 0;
    options->MarkSizeGiven = 0;
    options->MarkSize = -1.0;
    options->LaunchResult = RC_SUCCESS;
}
