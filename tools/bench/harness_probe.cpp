// The least a dialog program does: shows an empty dialog, "Minimal dialog", until it is closed.
// The start-up time test compares the controller's start with it.
#include <windows.h>

namespace {

INT_PTR CALLBACK minimal_dialog_procedure(HWND dialog, UINT message, WPARAM w_param, LPARAM)
{
    const bool ok_or_cancel = LOWORD(w_param) == IDOK || LOWORD(w_param) == IDCANCEL;
    if (message == WM_CLOSE || (message == WM_COMMAND && ok_or_cancel)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(100), nullptr, minimal_dialog_procedure, 0));
}
