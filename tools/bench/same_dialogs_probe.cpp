// The controller's own two windows with none of its work: the main window (dialog 10) and the job
// panel (dialog 11) as its child, both taken from the resources of the QMACTL.EXE named on the
// command line. What the start-up benchmark compares the controller with: the windows cost what
// they cost, everything beyond that is the controller's own start-up.
//   same_dialogs_probe.exe <path of QMACTL.EXE>
// Closing the main window (WM_CLOSE, Enter or Escape) ends it with 0; 1 when the resources
// cannot be read.
#include <windows.h>

#include "resource_ids.h"

namespace {

HMODULE g_resources = nullptr;

INT_PTR CALLBACK panel_procedure(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? FALSE : 0;
}

INT_PTR CALLBACK main_procedure(HWND dialog, UINT message, WPARAM w_param, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        // The controller creates its panel the same way, inside its own initialisation.
        CreateDialogParamA(g_resources, MAKEINTRESOURCEA(IDD_JOB_PANEL), dialog, panel_procedure, 0);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(w_param) == IDOK || LOWORD(w_param) == IDCANCEL) {
            EndDialog(dialog, 0);
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 2) {
        return 1;
    }
    // Only the resources are wanted: the program is mapped as data, none of its code runs.
    g_resources = LoadLibraryExA(__argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (g_resources == nullptr) {
        return 1;
    }
    const INT_PTR result =
        DialogBoxParamA(g_resources, MAKEINTRESOURCEA(IDD_MAIN_WINDOW), nullptr, main_procedure, 0);
    FreeLibrary(g_resources);
    return result == -1 ? 1 : 0;
}
