#include "input_filters.h"

#include "common/result_report.h"
#include "positioning/button_pad.h"
#include "positioning/pad_panel.h"

namespace {

HHOOK g_keyboard_filter = nullptr;
HHOOK g_mouse_filter = nullptr;
HHOOK g_call_window_filter = nullptr;
InputFilterSetup g_setup = {};
// The dialog the call-window filter centred at its WM_INITDIALOG, until it is first shown.
HWND g_initialised_dialog = nullptr;

// Bit 31 of a keyboard filter's lParam: the key is being released.
constexpr LPARAM KEY_RELEASED = static_cast<LPARAM>(0x80000000u);

LRESULT pass_on(HHOOK filter, int code, WPARAM wparam, LPARAM lparam)
{
    return CallNextHookEx(filter, code, wparam, lparam);
}

// The arrow keys act as the pad's arrows while keyboard jogging is on; nothing counts while the
// left button is held. The hook code is not looked at.
LRESULT CALLBACK keyboard_filter(int code, WPARAM wparam, LPARAM lparam)
{
    ResultCode result = RC_SUCCESS;
    const FilterVerdict verdict =
        filter_key(static_cast<std::uint32_t>(wparam), (lparam & KEY_RELEASED) != 0, &g_pad_state,
                   g_pad_rectangles, *g_setup.link, pad_surface(), &result);
    if (result != RC_SUCCESS) {
        report_result(g_setup.main_window, result);
    }
    return verdict == FilterVerdict::Discard ? 1 : pass_on(g_keyboard_filter, code, wparam, lparam);
}

// Keeps the mouse out while a key jog runs and switches keyboard jogging off on a click.
LRESULT CALLBACK mouse_filter(int code, WPARAM wparam, LPARAM lparam)
{
    // The second press of a double click is a press like the first.
    const std::uint32_t message = wparam == WM_LBUTTONDBLCLK ? MOUSE_LEFT_DOWN : static_cast<std::uint32_t>(wparam);
    if (filter_mouse(message, &g_pad_state, pad_surface()) ==
        FilterVerdict::Discard) {
        return 1;
    }
    return pass_on(g_mouse_filter, code, wparam, lparam);
}

// The calibration dialog is told by its dialog procedure: the filter sees its WM_INITDIALOG
// before the dialog has made itself known to the pad.
bool centred_elsewhere(HWND window)
{
    const DLGPROC procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(window, DWLP_DLGPROC));
    return window == g_setup.main_window || window == pad_job_panel() ||
           (procedure != nullptr && procedure == g_setup.template_placed_dialog);
}

void centre_over_main_window(HWND dialog)
{
    RECT main, own;
    GetWindowRect(g_setup.main_window, &main);
    GetWindowRect(dialog, &own);
    const DialogPosition at = centred_dialog_position(main.left, main.top, g_setup.full_width,
                                                      g_setup.full_height, own.right - own.left,
                                                      own.bottom - own.top);
    SetWindowPos(dialog, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE);
}

// Every further dialog of the thread opens centred over the full-size main window. Its
// WM_INITDIALOG is sent by this very thread, so the hook's wParam (sent by the current thread)
// is not looked at. A dialog that places itself while it initialises (Wine's message boxes
// centre themselves on the screen) is centred once more when it is first shown.
LRESULT CALLBACK call_window_filter(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HC_ACTION) {
        const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
        if (call->message == WM_INITDIALOG && !centred_elsewhere(call->hwnd)) {
            centre_over_main_window(call->hwnd);
            g_initialised_dialog = call->hwnd;
        } else if (call->message == WM_SHOWWINDOW && call->wParam != 0 &&
                   call->hwnd == g_initialised_dialog) {
            centre_over_main_window(call->hwnd);
            g_initialised_dialog = nullptr;
        }
    }
    return pass_on(g_call_window_filter, code, wparam, lparam);
}

void remove_filter(HHOOK* filter)
{
    if (*filter != nullptr) {
        UnhookWindowsHookEx(*filter);
        *filter = nullptr;
    }
}

}  // namespace

void install_input_filters(const InputFilterSetup& setup)
{
    g_setup = setup;
    const DWORD thread = GetWindowThreadProcessId(setup.main_window, nullptr);
    g_keyboard_filter = SetWindowsHookExA(WH_KEYBOARD, keyboard_filter, nullptr, thread);
    g_mouse_filter = SetWindowsHookExA(WH_MOUSE, mouse_filter, nullptr, thread);
    g_call_window_filter = SetWindowsHookExA(WH_CALLWNDPROC, call_window_filter, nullptr, thread);
}

void remove_input_filters()
{
    remove_filter(&g_keyboard_filter);
    remove_filter(&g_mouse_filter);
    remove_filter(&g_call_window_filter);
}
