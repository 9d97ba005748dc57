#include "modal_watch.h"

#include <vector>

namespace {

// The visible dialogs and message boxes of this process.
std::vector<HWND> open_dialogs()
{
    std::vector<HWND> dialogs;
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(w)) {
            dialogs.push_back(w);
        }
    }
    return dialogs;
}

bool ends_within(HWND window, DWORD ms)
{
    for (const DWORD start = GetTickCount(); IsWindow(window) && GetTickCount() - start < ms;) {
        Sleep(20);
    }
    return !IsWindow(window);
}

void press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// System icons are shared handles within one process, so the box's icon can be compared to
// the ones this process loads.
void look_at(HWND dialog, ShownDialog* shown)
{
    for (HWND c = FindWindowExA(dialog, nullptr, "Static", nullptr); c != nullptr;
         c = FindWindowExA(dialog, c, "Static", nullptr)) {
        const LONG type = GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK;
        if (type == SS_ICON && shown->icon == ShownIcon::None) {
            const HICON icon = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
            shown->icon = icon == LoadIcon(nullptr, IDI_HAND)          ? ShownIcon::Stop
                          : icon == LoadIcon(nullptr, IDI_EXCLAMATION) ? ShownIcon::Exclamation
                                                                       : ShownIcon::Other;
        }
        shown->picture |= type == SS_BITMAP && SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    }
}

}  // namespace

std::future<ShownDialog> answer_next_modal()
{
    return std::async(std::launch::async, []() {
        ShownDialog shown;
        HWND dialog = nullptr;
        for (const DWORD start = GetTickCount(); !dialog && GetTickCount() - start < 10000; Sleep(20)) {
            const std::vector<HWND> open = open_dialogs();
            dialog = open.empty() ? nullptr : open.front();
        }
        if (dialog != nullptr) {
            Sleep(50);  // let WM_INITDIALOG finish filling the controls
            shown.found = true;
            look_at(dialog, &shown);
            press(dialog, IDCANCEL);
            shown.stays_on_cancel = !ends_within(dialog, 200);
            press(dialog, IDOK);
            ends_within(dialog, 10000);
        }
        return shown;
    });
}
