// QMACTL.EXE: the controller's entry point. The command line is taken from the runtime's
// already-split argument vector, program path first.
#include <windows.h>

#include <cstdlib>

#include "controller.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return run_controller(instance, __argc, __argv);
}
