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

bool end_on_system_close(HWND dialog, WPARAM wparam, INT_PTR end_value)
{
    if ((wparam & 0xFFF0) != SC_CLOSE) {
        return false;
    }
    EndDialog(dialog, end_value);
    return true;
}
