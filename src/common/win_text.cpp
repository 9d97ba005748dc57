#include "win_text.h"

#include "result_presentation.h"

HINSTANCE resource_instance()
{
    return GetModuleHandleA(nullptr);
}

std::string load_text(UINT id)
{
    char buffer[TEXT_LIMIT];
    const int length = LoadStringA(resource_instance(), id, buffer, static_cast<int>(sizeof buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

HWND owner_window(const LaunchOptions& options)
{
    // Handles are 32-bit values, sign-extended on 64-bit Windows. A number that names no window
    // (a stale handle from the printing side) would keep the dialog from opening at all.
    HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(options.OwnerWindow));
    return owner != nullptr && IsWindow(owner) ? owner : nullptr;
}

void check_radio_button(HWND dialog, int first, int last, int checked)
{
    for (int id = first; id <= last; ++id) {
        CheckDlgButton(dialog, id, id == checked ? BST_CHECKED : BST_UNCHECKED);
    }
}

void enable_control(HWND control, bool enabled)
{
    if ((IsWindowEnabled(control) != FALSE) != enabled) {
        EnableWindow(control, enabled ? TRUE : FALSE);
    }
}

void show_control(HWND control, bool visible)
{
    // The window's own style, not IsWindowVisible: the panel is still hidden while it is set up.
    const bool shown = (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) {
        ShowWindow(control, visible ? SW_SHOWNORMAL : SW_HIDE);
    }
}

bool end_on_system_close(HWND dialog, WPARAM wparam, INT_PTR end_value)
{
    if ((wparam & 0xFFF0) != SC_CLOSE) {
        return false;
    }
    EndDialog(dialog, end_value);
    return true;
}
