// The controller's entry logic: Launch options, demo mode and Program paths, the single-instance
// rule and the run of the main window.
#ifndef CUTTER_CONTROLLER_H
#define CUTTER_CONTROLLER_H

#include <windows.h>

#include "launch_options.h"
#include "program_paths.h"

extern LaunchOptions g_launch_options;
extern std::int32_t g_demo_mode;
extern ProgramPaths g_program_paths;

// Name of the system-wide mutex that keeps a second controller from starting.
constexpr const char* SINGLE_INSTANCE_MUTEX = "CIController";

// Exit code of a second controller that found the first one running.
constexpr int EXIT_ALREADY_RUNNING = 100;

// Reads the command line, enforces a single controller, runs the main window and returns the
// process exit code.
int run_controller(HINSTANCE instance, int argc, const char* const* argv);

// Fills g_program_paths from the executable's location.
void build_program_paths();

// The owner window named on the command line, or none when it names no window.
HWND owner_window(const LaunchOptions& options);

#endif
