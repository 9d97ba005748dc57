// Our stand-in for the cutter maker's USB access library ZOLKUSBP.DLL, for development and
// tests: ZOLK_OpenUsb connects to the virtual cutter's named pipe instead of the USB device.
//
// Contract kept: stdcall, three 32-bit arguments (device 0, direction 0 write / 1 read, access
// GENERIC_WRITE), a handle for overlapped WriteFile/ReadFile, INVALID_HANDLE_VALUE when the
// cutter cannot be opened, and a transfer under way when the caller closes the handle still ends
// and signals its event: the caller gets a duplicate, the library keeps the connection itself
// until the next call.
//
// The pipe is the one named by the environment variable QUILLMARK_CUTTER_PIPE, or the virtual
// cutter's default name. Only this stand-in reads that variable.
#include <windows.h>

namespace {

constexpr const char* DEFAULT_PIPE = "\\\\.\\pipe\\QuillmarkVirtualCutter";
constexpr const char* PIPE_VARIABLE = "QUILLMARK_CUTTER_PIPE";
constexpr DWORD HANDSHAKE_TIMEOUT_MS = 2000;

HANDLE g_connection = INVALID_HANDLE_VALUE;  // the last transfer's connection

// One overlapped transfer of the library's own on the connection, bounded in time.
bool handshake_transfer(HANDLE connection, bool write, char* byte)
{
    // One event for every handshake (the transfer's start resets it): making and closing one for
    // each cost two round trips to the Wine server, more than the transfer itself.
    static const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    OVERLAPPED record = {};
    record.hEvent = event;
    DWORD done = 0;
    BOOL ok = write ? WriteFile(connection, byte, 1, nullptr, &record)
                    : ReadFile(connection, byte, 1, nullptr, &record);
    if (!ok && GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(record.hEvent, HANDSHAKE_TIMEOUT_MS) != WAIT_OBJECT_0) {
            CancelIo(connection);
        }
        ok = GetOverlappedResult(connection, &record, &done, TRUE);
    } else if (ok) {
        GetOverlappedResult(connection, &record, &done, FALSE);
    }
    return ok && done == 1;
}

HANDLE connect_to_cutter()
{
    char name[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(PIPE_VARIABLE, name, sizeof name);
    if (length == 0 || length >= sizeof name) {
        lstrcpynA(name, DEFAULT_PIPE, sizeof name);
    }
    for (int attempt = 0; attempt < 20; ++attempt) {
        HANDLE connection = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (connection != INVALID_HANDLE_VALUE || GetLastError() != ERROR_PIPE_BUSY) {
            return connection;
        }
        WaitNamedPipeA(name, 100);
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

extern "C" HANDLE WINAPI ZOLK_OpenUsb(DWORD device, DWORD direction, DWORD access)
{
    (void)device;
    (void)access;
    // The previous transfer is over or given up: let its connection go.
    if (g_connection != INVALID_HANDLE_VALUE) {
        CloseHandle(g_connection);
        g_connection = INVALID_HANDLE_VALUE;
    }
    HANDLE connection = connect_to_cutter();
    if (connection == INVALID_HANDLE_VALUE) {
        return INVALID_HANDLE_VALUE;  // the virtual cutter is not running
    }
    char hello = direction == 0 ? 'W' : 'R';
    char answer = 0;
    if (handshake_transfer(connection, true, &hello) &&
        handshake_transfer(connection, false, &answer) && answer == 'X') {
        CloseHandle(connection);  // switched off
        return INVALID_HANDLE_VALUE;
    }
    // A cutter that broke the connection still gets its handle: the transfer then fails at once.
    HANDLE caller = INVALID_HANDLE_VALUE;
    if (!DuplicateHandle(GetCurrentProcess(), connection, GetCurrentProcess(), &caller, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        CloseHandle(connection);
        return INVALID_HANDLE_VALUE;
    }
    g_connection = connection;
    return caller;
}
