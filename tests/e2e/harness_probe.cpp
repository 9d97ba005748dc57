// A stand-in program for the harness's own tests. Each command-line word is one action, in order:
//   debug=<hex bytes>  writes these bytes with OutputDebugStringA (one call per word)
//   box=<style>        shows a message box of this MessageBoxA style (decimal); its answer
//                      becomes the exit code
//   exit=<code>        sets the exit code (decimal)
//   raise              raises an exception that its own handler takes; exit code 1 when it did
//   crash              writes through a null pointer and dies of it
//   dialog             shows an empty dialog, "Minimal dialog", until it is closed: the least a
//                      dialog program does, to compare the controller's start-up time with
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

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

INT_PTR CALLBACK minimal_dialog_procedure(HWND dialog, UINT message, WPARAM w_param, LPARAM)
{
    const bool ok_or_cancel = LOWORD(w_param) == IDOK || LOWORD(w_param) == IDCANCEL;
    if (message == WM_CLOSE || (message == WM_COMMAND && ok_or_cancel)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int exit_code = 0;
    for (int i = 1; i < __argc; ++i) {
        const std::string word = __argv[i];
        const std::string value = word.substr(word.find('=') + 1);
        if (word.rfind("debug=", 0) == 0) {
            std::string bytes;
            for (std::size_t j = 0; j + 1 < value.size(); j += 2) {
                bytes += static_cast<char>(std::strtoul(value.substr(j, 2).c_str(), nullptr, 16));
            }
            OutputDebugStringA(bytes.c_str());
        } else if (word.rfind("box=", 0) == 0) {
            exit_code = MessageBoxA(nullptr, "First line of the probe\nSecond line", "Harness probe",
                                    static_cast<UINT>(std::strtoul(value.c_str(), nullptr, 10)));
        } else if (word.rfind("exit=", 0) == 0) {
            exit_code = static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
        } else if (word == "raise") {
            PVOID handler = AddVectoredExceptionHandler(1, take_probe_exception);
            RaiseException(PROBE_EXCEPTION, 0, 0, nullptr);
            RemoveVectoredExceptionHandler(handler);
            exit_code = g_exception_seen;
        } else if (word == "dialog") {
            exit_code = static_cast<int>(
                DialogBoxParamA(instance, MAKEINTRESOURCEA(100), nullptr, minimal_dialog_procedure, 0));
        } else if (word == "crash") {
            *static_cast<volatile int*>(nullptr) = 1;
        }
    }
    return exit_code;
}
