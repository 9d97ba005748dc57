#include "message_box_answer.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// The message text of a standard message box is the static control with this id.
constexpr int MESSAGE_BOX_TEXT_ID = 0xFFFF;
constexpr DWORD POLL_INTERVAL_MS = 20;

struct Search {
    const std::vector<HWND>* known;  // null while taking the list of windows already open
    std::vector<HWND> found;
};

BOOL CALLBACK collect_dialog(HWND window, LPARAM lparam)
{
    Search* search = reinterpret_cast<Search*>(lparam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[16] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (process != GetCurrentProcessId() || std::strcmp(class_name, "#32770") != 0) {
        return TRUE;
    }
    if (search->known == nullptr) {
        search->found.push_back(window);
    } else if (IsWindowVisible(window) &&
               std::find(search->known->begin(), search->known->end(), window) == search->known->end()) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> dialogs_open_now()
{
    Search search{nullptr, {}};
    EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string window_text(HWND window)
{
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK collect_static_text(HWND child, LPARAM lparam)
{
    char class_name[16] = "";
    GetClassNameA(child, class_name, sizeof class_name);
    if (_stricmp(class_name, "Static") == 0) {
        const std::string text = window_text(child);
        std::string* all = reinterpret_cast<std::string*>(lparam);
        if (!text.empty()) {
            *all += all->empty() ? text : "\n" + text;
        }
    }
    return TRUE;
}

std::string message_of(HWND box)
{
    if (HWND text = GetDlgItem(box, MESSAGE_BOX_TEXT_ID)) {
        return window_text(text);
    }
    // Not a standard message box: every non-empty static text, in order.
    std::string all;
    EnumChildWindows(box, collect_static_text, reinterpret_cast<LPARAM>(&all));
    return all;
}

AnsweredBox wait_and_answer(std::vector<HWND> known, int button, DWORD timeout_ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        Search search{&known, {}};
        EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found.empty()) {
            const HWND box = search.found.front();
            AnsweredBox answered{true, window_text(box), message_of(box)};
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
            return answered;
        }
        Sleep(POLL_INTERVAL_MS);
    }
    return AnsweredBox{false, {}, {}};
}

}  // namespace

std::future<AnsweredBox> answer_message_box(int button, DWORD timeout_ms)
{
    // Taken on the caller's thread, before the code under test can open its box.
    std::vector<HWND> known = dialogs_open_now();
    return std::async(std::launch::async, wait_and_answer, std::move(known), button, timeout_ms);
}
