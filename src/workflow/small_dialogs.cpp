#include "small_dialogs.h"

#include "common/result_code.h"
#include "common/win_text.h"

HWND g_media_loading_dialog = nullptr;

namespace {

constexpr INT_PTR ABOUT_END_VALUE = 1;
constexpr INT_PTR MEDIA_LOADING_END_VALUE = 0;  // nobody reads it

// The four figures of the Media loading dialog, by registration marks and design orientation.
struct LoadingFigure {
    bool marks;
    bool portrait;
    int control;
};

constexpr LoadingFigure LOADING_FIGURES[] = {
    {false, false, IDC_PICTURE_LANDSCAPE},
    {false, true, IDC_PICTURE_PORTRAIT},
    {true, false, IDC_PICTURE_LANDSCAPE_MARKS},
    {true, true, IDC_PICTURE_PORTRAIT_MARKS},
};

INT_PTR init_about(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, load_text(IDS_PRODUCT_VERSION).c_str());
    return TRUE;
}

INT_PTR init_media_loading(HWND dialog, const MediaLoadingFigure& figure)
{
    g_media_loading_dialog = dialog;
    SetDlgItemTextA(dialog, IDC_LOADING_INSTRUCTION, load_text(IDS_MEDIA_LOADING).c_str());
    const bool marks = figure.PosSet == 1;
    const bool portrait = figure.Direction != 0;
    for (const LoadingFigure& f : LOADING_FIGURES) {
        ShowWindow(GetDlgItem(dialog, f.control), SW_HIDE);
    }
    for (const LoadingFigure& f : LOADING_FIGURES) {
        if (f.marks == marks && f.portrait == portrait) {
            ShowWindow(GetDlgItem(dialog, f.control), SW_SHOW);
        }
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return init_about(dialog);
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            EndDialog(dialog, ABOUT_END_VALUE);
        }
        return FALSE;
    case WM_SYSCOMMAND:
        return end_on_system_close(dialog, wparam, ABOUT_END_VALUE);
    }
    return FALSE;
}

INT_PTR CALLBACK media_loading_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return init_media_loading(dialog, *reinterpret_cast<const MediaLoadingFigure*>(lparam));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, MEDIA_LOADING_END_VALUE);
        }
        return FALSE;
    case WM_DESTROY:
        g_media_loading_dialog = nullptr;
        return FALSE;
    }
    return FALSE;
}

void run_media_loading_dialog(HWND parent, int pos_set, int direction)
{
    MediaLoadingFigure figure{pos_set, direction};
    DialogBoxParamA(resource_instance(), MAKEINTRESOURCEA(IDD_MEDIA_LOADING), parent, media_loading_proc,
                    reinterpret_cast<LPARAM>(&figure));
}
