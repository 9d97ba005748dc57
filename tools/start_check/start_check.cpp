// start_check.exe REPORT SECONDS: waits up to SECONDS for the controller's main window on this
// desktop and writes what it found to the file REPORT: "main window: " and the window's version
// line, or "no main window; the screen shows:" and the caption and texts of every visible
// window (a stop box's message, for example). Exits with 0 when the main window came, else 1.
// The demo command runs it on the controller's desktop, which a shell script cannot look into.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

std::string text_of(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A named callback, not a lambda: 32-bit Windows calls it with its own calling convention.
BOOL CALLBACK add_if_visible(HWND window, LPARAM list)
{
    if (IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> visible_windows()
{
    std::vector<HWND> windows;
    EnumWindows(add_if_visible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The main window is the one that holds the version line.
HWND find_main_window()
{
    for (HWND window : visible_windows()) {
        if (GetDlgItem(window, IDC_VERSION_CAPTION) != nullptr) {
            return window;
        }
    }
    return nullptr;
}

// A message box (its text has the id 0xFFFF) ends the wait: the controller shows none on its way
// to the main window.
bool message_box_shown()
{
    for (HWND window : visible_windows()) {
        if (GetDlgItem(window, 0xFFFF) != nullptr) {
            return true;
        }
    }
    return false;
}

std::string describe_screen()
{
    std::string out;
    for (HWND window : visible_windows()) {
        std::string line = text_of(window);
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            char cls[16] = "";
            GetClassNameA(child, cls, sizeof cls);
            const std::string text = text_of(child);
            if (lstrcmpiA(cls, "Static") == 0 && !text.empty()) {
                line += " | " + text;
            }
        }
        if (!line.empty()) {
            out += "  " + line + "\n";
        }
    }
    return out.empty() ? "  (no window)\n" : out;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc != 3) {
        return 2;
    }
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(std::atoi(__argv[2])) * 1000;
    HWND main = nullptr;
    while ((main = find_main_window()) == nullptr && !message_box_shown() &&
           static_cast<LONG>(deadline - GetTickCount()) > 0) {
        Sleep(200);
    }
    const std::string report = main != nullptr
        ? "main window: " + text_of(GetDlgItem(main, IDC_VERSION_CAPTION)) + "\n"
        : "no main window; the screen shows:\n" + describe_screen();
    FILE* file = std::fopen(__argv[1], "wb");
    if (file == nullptr) {
        return 2;
    }
    std::fputs(report.c_str(), file);
    std::fclose(file);
    return main != nullptr ? 0 : 1;
}
