#include "controller.h"

#include "app/command_line.h"
#include "common/result_report.h"
#include "common/win_text.h"
#include "device/program_link.h"
#include "main_window.h"

HINSTANCE g_instance = nullptr;
LaunchOptions g_launch_options;
std::int32_t g_demo_mode = DEMO_OFF;
ProgramPaths g_program_paths;
CutterLink g_cutter_link;

namespace {

// Brings the running controller's last active window to the front. None of these calls waits
// for the running controller: its thread may be blocked in a cutter command for minutes (a
// mark reading), and the program that started this one waits for our exit code meanwhile. So
// the window is shown with ShowWindowAsync, which posts the request to that thread instead of
// sending it; the window comes forward as soon as the running controller handles messages.
void bring_first_controller_forward()
{
    HWND first = FindWindowA(nullptr, load_text(IDS_APP_TITLE).c_str());
    if (first == nullptr) {
        return;
    }
    HWND popup = GetLastActivePopup(first);
    SetForegroundWindow(popup);
    SetFocus(popup);
    ShowWindowAsync(popup, SW_SHOWNORMAL);
}

}  // namespace

void build_program_paths()
{
    char module_path[MODULE_PATH_LIMIT + 1] = {};
    GetModuleFileNameA(g_instance, module_path, MODULE_PATH_LIMIT);
    compose_program_paths(module_path, &g_program_paths);
}

int run_controller(HINSTANCE instance, int argc, const char* const* argv)
{
    g_instance = instance;
    reset_launch_options(&g_launch_options);
    g_demo_mode = DEMO_OFF;
    read_command_line(argc, argv, &g_launch_options, &g_demo_mode);
    g_cutter_link = program_link(g_demo_mode);
    HWND owner = owner_window(g_launch_options);

    // The handle stays open until the process ends: holding it is what keeps others out.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, SINGLE_INSTANCE_MUTEX);
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        report_result(owner, RC_ALREADY_ACTIVE);
        bring_first_controller_forward();
        return EXIT_ALREADY_RUNNING;
    }
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN_WINDOW), owner,
                                            main_window_proc, 0));
}
