// A stand-in program for the harness's own tests. Each command-line word is one action, done in
// order:
//   debug=<hex bytes>  writes these bytes with OutputDebugStringA (one call per word)
//   box=<style>        shows a message box with this MessageBoxA style (decimal); its answer
//                      becomes the exit code
//   exit=<code>        sets the exit code (decimal)
//   raise              raises an exception that the program's own handler takes; the exit code
//                      becomes 1 when the handler saw it, 0 when it did not
//   crash              writes through a null pointer and dies of it
//   dialog             shows "Probe dialog": edit 100 ("initial"), check box 101, disabled
//                      button 102, OK and Cancel. OK writes "edit=<text>|checked=<0|1>" to the
//                      debugger and sets the exit code to 1, Cancel sets it to 2.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string bytes_of_hex(const char* hex)
{
    std::string bytes;
    for (std::size_t i = 0; hex[i] != '\0' && hex[i + 1] != '\0'; i += 2) {
        const char pair[3] = {hex[i], hex[i + 1], '\0'};
        bytes += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return bytes;
}

constexpr DWORD PROBE_EXCEPTION = 0xE0001234;
volatile LONG g_exception_seen = 0;

LONG CALLBACK take_probe_exception(EXCEPTION_POINTERS* pointers)
{
    if (pointers->ExceptionRecord->ExceptionCode != PROBE_EXCEPTION) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    g_exception_seen = 1;
    return EXCEPTION_CONTINUE_EXECUTION;
}

constexpr int PROBE_EDIT = 100;
constexpr int PROBE_CHECK_BOX = 101;
constexpr int PROBE_DISABLED_BUTTON = 102;

void add_control(HWND dialog, const char* window_class, const char* text, DWORD style, int id,
                 int x, int y, int width, int height)
{
    CreateWindowExA(0, window_class, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width,
                    height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                    nullptr);
}

INT_PTR CALLBACK probe_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        add_control(dialog, "EDIT", "initial", WS_BORDER | ES_AUTOHSCROLL, PROBE_EDIT, 10, 10, 200,
                    22);
        add_control(dialog, "BUTTON", "Check", BS_AUTOCHECKBOX, PROBE_CHECK_BOX, 10, 40, 200, 20);
        add_control(dialog, "BUTTON", "Never", BS_PUSHBUTTON | WS_DISABLED, PROBE_DISABLED_BUTTON,
                    10, 70, 80, 24);
        add_control(dialog, "BUTTON", "OK", BS_DEFPUSHBUTTON, IDOK, 100, 70, 80, 24);
        add_control(dialog, "BUTTON", "Cancel", BS_PUSHBUTTON, IDCANCEL, 190, 70, 80, 24);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wparam) == IDOK) {
        char text[256] = {};
        GetDlgItemTextA(dialog, PROBE_EDIT, text, sizeof text);
        const bool checked = IsDlgButtonChecked(dialog, PROBE_CHECK_BOX) == BST_CHECKED;
        const std::string line = std::string("edit=") + text + "|checked=" + (checked ? "1" : "0");
        OutputDebugStringA(line.c_str());
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, 2);
        return TRUE;
    }
    return FALSE;
}

int show_probe_dialog()
{
    // An empty template; the dialog adds its controls itself.
    struct alignas(4) Template {
        DLGTEMPLATE header;
        WORD menu;
        WORD window_class;
        WCHAR title[13];
    } const probe_template = {
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0, 0, 0, 0, 180, 70},
        0,
        0,
        L"Probe dialog",
    };
    return static_cast<int>(DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &probe_template.header,
                                                    nullptr, probe_dialog_proc, 0));
}

bool starts_with(const char* word, const char* prefix)
{
    return std::strncmp(word, prefix, std::strlen(prefix)) == 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int exit_code = 0;
    for (int i = 1; i < __argc; ++i) {
        const char* word = __argv[i];
        if (starts_with(word, "debug=")) {
            OutputDebugStringA(bytes_of_hex(word + 6).c_str());
        } else if (starts_with(word, "box=")) {
            const UINT style = static_cast<UINT>(std::strtoul(word + 4, nullptr, 10));
            exit_code = MessageBoxA(nullptr, "First line of the probe\nSecond line", "Harness probe",
                                    style);
        } else if (starts_with(word, "exit=")) {
            exit_code = static_cast<int>(std::strtol(word + 5, nullptr, 10));
        } else if (std::strcmp(word, "raise") == 0) {
            PVOID handler = AddVectoredExceptionHandler(1, take_probe_exception);
            RaiseException(PROBE_EXCEPTION, 0, 0, nullptr);
            RemoveVectoredExceptionHandler(handler);
            exit_code = g_exception_seen;
        } else if (std::strcmp(word, "dialog") == 0) {
            exit_code = show_probe_dialog();
        } else if (std::strcmp(word, "crash") == 0) {
            *static_cast<volatile int*>(nullptr) = 1;
        }
    }
    return exit_code;
}
