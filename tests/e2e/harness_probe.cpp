// A stand-in program for the harness's own tests. Each command-line word is one action, done in
// order:
//   debug=<hex bytes>  writes these bytes with OutputDebugStringA (one call per word)
//   box=<style>        shows a message box with this MessageBoxA style (decimal); its answer
//                      becomes the exit code
//   exit=<code>        sets the exit code (decimal)
//   raise              raises an exception that the program's own handler takes; the exit code
//                      becomes 1 when the handler saw it, 0 when it did not
//   crash              writes through a null pointer and dies of it
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
        } else if (std::strcmp(word, "crash") == 0) {
            *static_cast<volatile int*>(nullptr) = 1;
        }
    }
    return exit_code;
}
