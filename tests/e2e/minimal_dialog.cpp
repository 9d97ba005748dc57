// The least a dialog program of ours does: show one empty dialog from a template and wait. The
// start-up timing compares the controller's main window with it.
#include <windows.h>

#include "minimal_dialog.h"

namespace {

INT_PTR CALLBACK minimal_dialog_procedure(HWND dialog, UINT message, WPARAM w_param, LPARAM)
{
    if (message == WM_COMMAND && (LOWORD(w_param) == IDOK || LOWORD(w_param) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr,
                                            minimal_dialog_procedure, 0));
}
