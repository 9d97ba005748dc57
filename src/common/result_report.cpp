#include "result_report.h"

#include "result_presentation.h"
#include "win_text.h"

namespace {

HWND g_report_main_window = nullptr;

// Room for a message of at most 511 characters and its " [code = N]".
constexpr std::size_t REPORT_TEXT_SIZE = TEXT_LIMIT + 32;

void show_code_in(HWND dialog, int control, ResultCode code)
{
    // Both "cannot communicate" codes share the text of 57; the number tells them apart.
    char text[REPORT_TEXT_SIZE];
    format_result_text(load_text(RC_CANNOT_COMMUNICATE).c_str(), code, text, sizeof text);
    SetDlgItemTextA(dialog, control, text);
}

}  // namespace

void set_report_main_window(HWND main_window) { g_report_main_window = main_window; }

void report_result(HWND owner, ResultCode code)
{
    const Presentation presentation = presentation_of(code);
    if (presentation == Presentation::PictureDialog) {
        MessageBeep(0);
        HWND parent = g_report_main_window != nullptr ? g_report_main_window : owner;
        DialogBoxParamA(resource_instance(), MAKEINTRESOURCEA(IDD_CANNOT_COMMUNICATE), parent,
                        cannot_communicate_proc, static_cast<LPARAM>(code));
        return;
    }
    const std::string caption = load_text(IDS_APP_TITLE);
    char text[REPORT_TEXT_SIZE];
    format_result_text(load_text(code).c_str(), code, text, sizeof text);
    const UINT style = presentation == Presentation::Exclamation ? MB_OK | MB_ICONEXCLAMATION
                                                                 : MB_OK | MB_ICONHAND;
    MessageBoxA(owner, text, caption.c_str(), style);
}

bool confirmation_question(HWND owner, int question_id)
{
    const std::string caption = load_text(IDS_QUESTION_CAPTION);
    const std::string text = load_text(static_cast<UINT>(question_id));
    const UINT icon = question_icon(question_id) == QuestionIcon::Information ? MB_ICONINFORMATION
                                                                                : MB_ICONQUESTION;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OKCANCEL | icon) == IDOK;
}

INT_PTR CALLBACK cannot_communicate_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        show_code_in(dialog, IDC_COMMUNICATE_MESSAGE, static_cast<ResultCode>(lparam));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    case WM_SYSCOMMAND:
        return end_on_system_close(dialog, wparam, 1);
    }
    return FALSE;
}
