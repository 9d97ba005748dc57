// Reading the command line into the Launch options and the demo mode.
#ifndef CUTTER_COMMAND_LINE_H
#define CUTTER_COMMAND_LINE_H

#include <cstdint>

#include "common/launch_options.h"

// Longest part of one command-line word that is looked at; the rest is ignored.
constexpr int COMMAND_WORD_LIMIT = 512;

// Reads every word of the argument vector (program path included) into the options and the demo
// mode. Unknown words and unparsable values are ignored; values are not range-checked here.
void read_command_line(int argc, const char* const* argv, LaunchOptions* options,
                       std::int32_t* demo_mode);

#endif
