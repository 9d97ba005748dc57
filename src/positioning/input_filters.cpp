#include "input_filters.h"

namespace {

HHOOK g_keyboard_filter = nullptr;
HHOOK g_mouse_filter = nullptr;
HHOOK g_call_window_filter = nullptr;

// Jogging by keyboard, stopping the blade on a click elsewhere and centring the thread's dialogs
// over the main window come with the blade positioning; until then every message passes on.
LRESULT CALLBACK keyboard_filter(int code, WPARAM wparam, LPARAM lparam)
{
    return CallNextHookEx(g_keyboard_filter, code, wparam, lparam);
}

LRESULT CALLBACK mouse_filter(int code, WPARAM wparam, LPARAM lparam)
{
    return CallNextHookEx(g_mouse_filter, code, wparam, lparam);
}

LRESULT CALLBACK call_window_filter(int code, WPARAM wparam, LPARAM lparam)
{
    return CallNextHookEx(g_call_window_filter, code, wparam, lparam);
}

void remove_filter(HHOOK* filter)
{
    if (*filter != nullptr) {
        UnhookWindowsHookEx(*filter);
        *filter = nullptr;
    }
}

}  // namespace

void install_input_filters(DWORD thread)
{
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
