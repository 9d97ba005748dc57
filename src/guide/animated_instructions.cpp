#include "animated_instructions.h"

#include <cstdio>
#include <cstring>

#include "common/program_paths.h"

AnimationLauncher g_animation_launcher;

namespace {

// Quotes, the path and the terminator.
constexpr int COMMAND_LINE_SIZE = PROGRAM_PATH_SIZE + 3;

// Keeps the first visible top-level window of the launched process. Invisible windows of the
// same process (the input-method windows that the platform creates for every GUI thread) are
// passed over: raising them would leave the program's own window where it was.
BOOL CALLBACK find_program_window(HWND window, LPARAM lparam)
{
    AnimationLauncher* launcher = reinterpret_cast<AnimationLauncher*>(lparam);
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (process_id == launcher->Process.dwProcessId && IsWindowVisible(window)) {
        launcher->Window = window;
        return FALSE;
    }
    return TRUE;
}

void raise_program_window(const AnimationLauncher& launcher)
{
    // A window that was never found or has gone makes this a no-op, which is all that is wanted.
    SetWindowPos(launcher.Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

bool is_running(const AnimationLauncher& launcher, bool* ever_started)
{
    DWORD exit_code = 0;
    *ever_started = GetExitCodeProcess(launcher.Process.hProcess, &exit_code) != FALSE;
    return *ever_started && exit_code == STILL_ACTIVE;
}

void clear_process_fields(AnimationLauncher* launcher)
{
    std::memset(&launcher->Process, 0, sizeof launcher->Process);
}

}  // namespace

void reset_animated_instructions()
{
    clear_process_fields(&g_animation_launcher);
}

ResultCode start_animated_instructions(const char* program_path)
{
    AnimationLauncher* launcher = &g_animation_launcher;
    bool started_before = false;
    if (is_running(*launcher, &started_before)) {
        raise_program_window(*launcher);
        return RC_SUCCESS;
    }
    if (started_before) {
        CloseHandle(launcher->Process.hProcess);  // the user closed that instance
    }
    clear_process_fields(launcher);

    STARTUPINFOA startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;

    // The path is quoted so that a folder name with spaces cannot be read as a shorter program
    // name followed by arguments.
    char command_line[COMMAND_LINE_SIZE] = {};
    std::snprintf(command_line, sizeof command_line, "\"%.*s\"", PROGRAM_PATH_SIZE - 1,
                  program_path);

    if (!CreateProcessA(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &launcher->Process)) {
        clear_process_fields(launcher);  // the next press tries again from scratch
        return RC_ANIMATION_START_FAILED;
    }
    CloseHandle(launcher->Process.hThread);
    launcher->Process.hThread = nullptr;

    WaitForInputIdle(launcher->Process.hProcess, ANIMATION_READY_WAIT_MS);
    EnumWindows(find_program_window, reinterpret_cast<LPARAM>(launcher));
    raise_program_window(*launcher);
    return RC_SUCCESS;
}

void close_animated_instructions()
{
    AnimationLauncher* launcher = &g_animation_launcher;
    bool started_before = false;
    if (is_running(*launcher, &started_before)) {
        PostMessageA(launcher->Window, WM_CLOSE, 0, 0);
    }
    if (started_before) {
        CloseHandle(launcher->Process.hProcess);
        clear_process_fields(launcher);  // the handle is gone: never ask about it again
    }
}
