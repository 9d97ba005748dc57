#include "job_panel.h"

#include "common/result_report.h"
#include "common/win_text.h"
#include "workflow/small_dialogs.h"
#include "settings/settings_file.h"
#include "workflow/cut_sequence.h"
#include "workflow/mark_distance_entries.h"
#include "guide/animated_instructions.h"
#include "positioning/pad_panel.h"
#include "resources/resource_ids.h"

HWND g_job_panel = nullptr;

namespace {

JobPanelEnvironment g_environment{};

void on_animated_instructions()
{
    const ResultCode code = start_animated_instructions(g_environment.paths->AnimationProgram);
    if (code != RC_SUCCESS) {
        report_result(g_environment.main_window, code);
    }
}

BOOL on_panel_command(HWND panel, int id)
{
    switch (id) {
    case IDOK:
    case IDCANCEL:
        // "Cut..." and "Cancel" end the run exactly as Enter and Escape in the main window do.
        SendMessageA(GetParent(panel), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        break;
    case IDC_READ_MARKS: {
        const ResultCode code = read_registration_marks(g_environment, panel, &g_settings);
        if (code != RC_SUCCESS) {
            report_result(g_environment.main_window, code);
        }
        break;
    }
    case IDC_ANIMATED_INSTRUCTIONS:
        on_animated_instructions();
        break;
    case IDC_USE_KEYBOARD:
        use_keyboard_clicked();
        break;
    case IDC_ABOUT_BUTTON:
        DialogBoxParamA(resource_instance(), MAKEINTRESOURCEA(IDD_ABOUT), g_environment.main_window,
                        about_dialog_proc, 0);
        break;
    }
    return FALSE;
}

}  // namespace

HWND create_job_panel(const JobPanelEnvironment& environment)
{
    g_environment = environment;
    g_job_panel = CreateDialogParamA(resource_instance(), MAKEINTRESOURCEA(IDD_JOB_PANEL),
                                     environment.main_window, job_panel_proc, 0);
    return g_job_panel;
}

const JobPanelEnvironment& job_panel_environment()
{
    return g_environment;
}

INT_PTR CALLBACK job_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam)
{
    // The media, speed, thickness, orientation and mark settings and the button pad come with
    // the panel's own logic; until then it reads the marks, opens the animated instructions and
    // About, and hands its Cut and Cancel buttons to the main window.
    switch (message) {
    case WM_INITDIALOG:
        lay_out_button_pad(panel);
        // The stored distances, in the stored unit; taking the command line's comes with the
        // panel's own start-up.
        show_mark_distances(panel, g_settings.TomboDisX, g_settings.TomboDisY, g_settings.Unit);
        return FALSE;
    case WM_COMMAND:
        return on_panel_command(panel, LOWORD(wparam));
    case WM_PAINT:
        paint_pad(panel, g_pad_state, g_pad_rectangles);
        return FALSE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        if (const ResultCode code = route_pad_pointer(message, lparam, *g_environment.link)) {
            report_result(g_environment.main_window, code);
        }
        return FALSE;
    case WM_DESTROY:
        if (g_job_panel == panel) {
            g_job_panel = nullptr;
        }
        return FALSE;
    }
    return FALSE;
}
