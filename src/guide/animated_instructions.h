// The animated instructions: a separate program beside the controller (CIC_DMAN.EXE) that shows
// how to prepare a cut. The controller starts at most one instance of it, keeps its window above
// all others and asks it to close when the controller shuts down.
#ifndef CUTTER_ANIMATED_INSTRUCTIONS_H
#define CUTTER_ANIMATED_INSTRUCTIONS_H

#include <windows.h>

#include "common/result_code.h"

// How long a start waits for the program to become ready for input before it looks for its
// window anyway. The program is ready in well under a second; the bound only keeps a hung
// program from freezing the controller for good.
constexpr DWORD ANIMATION_READY_WAIT_MS = 30000;

struct AnimationLauncher {
    // Process handle, thread handle, process id and thread id of the started program, as
    // CreateProcessA returns them. The thread handle is closed at once after the start.
    PROCESS_INFORMATION Process;
    // The program's top-level window, found after the start. Only a later successful search
    // replaces it; nothing clears it.
    HWND Window;
};

// The one launcher of the run.
extern AnimationLauncher g_animation_launcher;

// Forgets any earlier start: the process fields become zero, the window stays.
void reset_animated_instructions();

// Starts the program at `program_path` (the Program paths' AnimationProgram), or only raises its
// window when the instance started earlier is still running. RC_ANIMATION_START_FAILED (211)
// when it cannot be started.
[[nodiscard]] ResultCode start_animated_instructions(const char* program_path);

// Asks a running instance to close (WM_CLOSE, without waiting) and lets go of its process.
// Does nothing when the program was never started.
void close_animated_instructions();

#endif
