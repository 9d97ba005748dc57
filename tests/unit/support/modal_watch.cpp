#include "modal_watch.h"

#include <algorithm>
#include <vector>

namespace {

struct Search {
    DWORD process;
    const std::vector<HWND>* known;  // windows open before the watch began; null while listing
    std::vector<HWND> listed;
    HWND found;
};

BOOL CALLBACK find_dialog(HWND window, LPARAM lparam)
{
    Search* search = reinterpret_cast<Search*>(lparam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (process != search->process || !IsWindowVisible(window) ||
        lstrcmpA(class_name, "#32770") != 0) {
        return TRUE;
    }
    if (search->known == nullptr) {
        search->listed.push_back(window);
        return TRUE;
    }
    if (std::find(search->known->begin(), search->known->end(), window) != search->known->end()) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

// The dialogs of this process that are open now, such as a test's own host dialog.
std::vector<HWND> open_dialogs()
{
    Search search{GetCurrentProcessId(), nullptr, {}, nullptr};
    EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
    return search.listed;
}

HWND wait_for_dialog(const std::vector<HWND>& known, DWORD timeout_ms)
{
    const DWORD start = GetTickCount();
    do {
        Search search{GetCurrentProcessId(), &known, {}, nullptr};
        EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeout_ms);
    return nullptr;
}

std::string text_of(HWND window)
{
    char buffer[2048] = {};
    SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

struct IconSearch {
    HICON icon;
};

BOOL CALLBACK find_icon(HWND child, LPARAM lparam)
{
    char class_name[16] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        reinterpret_cast<IconSearch*>(lparam)->icon =
            reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

// System icons are shared handles within one process, so the box's icon can be compared to
// the ones this process loads.
ShownIcon icon_of(HWND dialog)
{
    IconSearch search{nullptr};
    EnumChildWindows(dialog, find_icon, reinterpret_cast<LPARAM>(&search));
    if (search.icon == nullptr) {
        return ShownIcon::None;
    }
    struct Known { LPCSTR id; ShownIcon icon; };
    const Known known[] = {
        {MAKEINTRESOURCEA(32513), ShownIcon::Stop},         // IDI_HAND
        {MAKEINTRESOURCEA(32514), ShownIcon::Question},     // IDI_QUESTION
        {MAKEINTRESOURCEA(32515), ShownIcon::Exclamation},  // IDI_EXCLAMATION
        {MAKEINTRESOURCEA(32516), ShownIcon::Information},  // IDI_ASTERISK
    };
    for (const Known& k : known) {
        if (LoadIconA(nullptr, k.id) == search.icon) {
            return k.icon;
        }
    }
    return ShownIcon::Other;
}

void press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

std::future<ShownDialog> answer_next_modal(const ModalAnswer& answer)
{
    // Taken on the caller's thread, before the code under test can open its window.
    std::vector<HWND> known = open_dialogs();
    return std::async(std::launch::async, [answer, known]() {
        ShownDialog shown;
        HWND dialog = wait_for_dialog(known, answer.timeout_ms);
        if (dialog == nullptr) {
            return shown;
        }
        Sleep(50);  // let WM_INITDIALOG finish filling the controls
        shown.found = true;
        shown.caption = text_of(dialog);
        HWND text = GetDlgItem(dialog, answer.text_control);
        shown.text = text != nullptr ? text_of(text) : std::string();
        shown.icon = icon_of(dialog);
        if (answer.inspect) {
            answer.inspect(dialog);
        }
        if (answer.extra_command != 0) {
            press(dialog, answer.extra_command);
            Sleep(200);
            shown.still_open_after_extra = IsWindow(dialog) && IsWindowVisible(dialog);
        }
        if (answer.button != 0) {
            press(dialog, answer.button);
        }
        const DWORD start = GetTickCount();
        while (IsWindow(dialog) && GetTickCount() - start < answer.timeout_ms) {
            Sleep(20);
        }
        return shown;
    });
}
