// The controller's entry logic: Launch options, demo mode and Program paths, the single-instance
// rule and the run of the main window. These globals belong to the run; what lies below the
// window procedures receives them as parameters.
#ifndef CUTTER_CONTROLLER_H
#define CUTTER_CONTROLLER_H

#include <windows.h>

#include "common/launch_options.h"
#include "common/program_paths.h"
#include "device/cutter_protocol.h"

extern HINSTANCE g_instance;
extern LaunchOptions g_launch_options;
extern std::int32_t g_demo_mode;
extern ProgramPaths g_program_paths;
// The run's one link to the cutter, built once the demo mode is known.
extern CutterLink g_cutter_link;

// Name of the system-wide mutex that keeps a second controller from starting.
constexpr const char* SINGLE_INSTANCE_MUTEX = "CIController";

// Exit code of a second controller that found the first one running.
constexpr int EXIT_ALREADY_RUNNING = 100;

// Reads the command line, enforces a single controller, runs the main window and returns the
// process exit code.
int run_controller(HINSTANCE instance, int argc, const char* const* argv);

// Fills g_program_paths from the executable's location.
void build_program_paths();

#endif
