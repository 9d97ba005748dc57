#include "job_panel.h"

#include "app/win_text.h"
#include "resources/resource_ids.h"

HWND g_job_panel = nullptr;

HWND create_job_panel(HWND main_window)
{
    g_job_panel = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_JOB_PANEL), main_window,
                                     job_panel_proc, 0);
    return g_job_panel;
}

INT_PTR CALLBACK job_panel_proc(HWND panel, UINT message, WPARAM, LPARAM)
{
    // The panel's handlers (media, speed, thickness, orientation, marks, the pad) come with its
    // own logic; until then it shows its controls as the template lays them out.
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_DESTROY:
        if (g_job_panel == panel) {
            g_job_panel = nullptr;
        }
        return FALSE;
    }
    return FALSE;
}
