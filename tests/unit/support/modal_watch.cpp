#include "modal_watch.h"

#include <algorithm>
#include <vector>

namespace {

BOOL CALLBACK add_dialog(HWND window, LPARAM list)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpA(class_name, "#32770") == 0) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

// The visible dialogs and message boxes of this process.
std::vector<HWND> open_dialogs()
{
    std::vector<HWND> dialogs;
    EnumWindows(add_dialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

bool ends_within(HWND window, DWORD ms)
{
    for (const DWORD start = GetTickCount(); IsWindow(window) && GetTickCount() - start < ms;) {
        Sleep(20);
    }
    return !IsWindow(window);
}

// System icons are shared handles within one process, so the box's icon can be compared to
// the ones this process loads.
ShownIcon icon_of(HWND dialog)
{
    HICON icon = nullptr;
    for (HWND child = FindWindowExA(dialog, nullptr, "Static", nullptr); child != nullptr && !icon;
         child = FindWindowExA(dialog, child, "Static", nullptr)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        }
    }
    const std::pair<LPCTSTR, ShownIcon> known[] = {
        {IDI_HAND, ShownIcon::Stop}, {IDI_EXCLAMATION, ShownIcon::Exclamation}};
    for (const auto& k : known) {
        if (icon != nullptr && LoadIcon(nullptr, k.first) == icon) {
            return k.second;
        }
    }
    return icon == nullptr ? ShownIcon::None : ShownIcon::Other;
}

void press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

std::future<ShownDialog> answer_next_modal(int extra_command, const std::function<void(HWND)>& inspect)
{
    // Taken on the caller's thread, before the code under test can open its window.
    const std::vector<HWND> known = open_dialogs();
    return std::async(std::launch::async, [extra_command, inspect, known]() {
        ShownDialog shown;
        HWND dialog = nullptr;
        for (const DWORD start = GetTickCount(); !dialog && GetTickCount() - start < 10000;) {
            for (HWND window : open_dialogs()) {
                if (std::find(known.begin(), known.end(), window) == known.end()) {
                    dialog = window;
                }
            }
            Sleep(20);
        }
        if (dialog == nullptr) {
            return shown;
        }
        Sleep(50);  // let WM_INITDIALOG finish filling the controls
        shown.found = true;
        shown.icon = icon_of(dialog);
        if (inspect) {
            inspect(dialog);
        }
        if (extra_command != 0) {
            press(dialog, extra_command);
            shown.still_open_after_extra = !ends_within(dialog, 200);
        }
        press(dialog, IDOK);
        ends_within(dialog, 10000);
        return shown;
    });
}
