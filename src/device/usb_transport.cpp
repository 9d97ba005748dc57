#include "usb_transport.h"

#include <cstdlib>

#include "common/launch_options.h"
#include "cutter_printers.h"

namespace {

// The spooler's library is loaded on the first spooler call, not with the program: a run in demo
// mode never asks the spooler, and loading the library (with the libraries it pulls in) costs
// more than anything else the start does. When it cannot be loaded, every call fails as the
// spooler's calls do, and the printer list stays empty.
FARPROC spooler_entry(const char* name)
{
    static const HMODULE library = LoadLibraryA("winspool.drv");
    return library != nullptr ? GetProcAddress(library, name) : nullptr;
}

template <typename Call>
Call spooler_call(const char* name)
{
    return reinterpret_cast<Call>(reinterpret_cast<void*>(spooler_entry(name)));
}

BOOL WINAPI enum_printers_on_first_use(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer,
                                       DWORD size, LPDWORD needed, LPDWORD returned)
{
    static const auto call = spooler_call<decltype(&EnumPrintersA)>("EnumPrintersA");
    return call != nullptr && call(flags, name, level, buffer, size, needed, returned);
}

BOOL WINAPI open_printer_on_first_use(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults)
{
    static const auto call = spooler_call<decltype(&OpenPrinterA)>("OpenPrinterA");
    return call != nullptr && call(name, printer, defaults);
}

BOOL WINAPI enum_jobs_on_first_use(HANDLE printer, DWORD first, DWORD count, DWORD level,
                                   LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned)
{
    static const auto call = spooler_call<decltype(&EnumJobsA)>("EnumJobsA");
    return call != nullptr && call(printer, first, count, level, buffer, size, needed, returned);
}

BOOL WINAPI close_printer_on_first_use(HANDLE printer)
{
    static const auto call = spooler_call<decltype(&ClosePrinter)>("ClosePrinter");
    return call != nullptr && call(printer);
}

}  // namespace

const SpoolerCalls REAL_SPOOLER_CALLS = {enum_printers_on_first_use, open_printer_on_first_use,
                                         enum_jobs_on_first_use, close_printer_on_first_use};
SpoolerCalls g_spooler_calls = REAL_SPOOLER_CALLS;

namespace {

// Module-level transfer state. One record and one event per direction suffice: a write and a
// read are never under way at the same time.
UsbOpener g_opener = nullptr;
OVERLAPPED g_write_record = {};
OVERLAPPED g_read_record = {};
HANDLE g_write_event = nullptr;
HANDLE g_read_event = nullptr;

// The cutter printer list: count and count slots of PRINTER_NAME_SLOT_SIZE bytes.
int g_printer_count = 0;
char* g_printer_names = nullptr;

constexpr DWORD PRINTER_ENUM_FLAGS = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
constexpr DWORD JOBS_LOOKED_AT = 99;

// Opens one direction of the cutter, starts the transfer, closes the handle at once and waits.
// The library keeps the connection, so a transfer under way still ends and signals its event.
ResultCode transfer(DWORD direction, void* bytes, std::uint32_t count, std::uint32_t timeout_ms,
                    OVERLAPPED* record)
{
    if (g_opener == nullptr) {
        return RC_CANNOT_COMMUNICATE;
    }
    HANDLE device = g_opener(0, direction, GENERIC_WRITE);
    if (device == INVALID_HANDLE_VALUE) {
        return RC_CANNOT_COMMUNICATE;
    }
    BOOL done = direction == USB_DIRECTION_WRITE
                    ? WriteFile(device, bytes, count, nullptr, record)
                    : ReadFile(device, bytes, count, nullptr, record);
    const DWORD error = GetLastError();
    CloseHandle(device);
    if (done) {
        return RC_SUCCESS;
    }
    if (error != ERROR_IO_PENDING) {
        return RC_GENERAL_ERROR;
    }
    return WaitForSingleObject(record->hEvent, timeout_ms) == WAIT_OBJECT_0 ? RC_SUCCESS
                                                                           : RC_TRANSFER_TIMEOUT;
}

}  // namespace

ResultCode load_usb_library(std::int32_t demo_mode)
{
    return load_usb_library_named(USB_LIBRARY_NAME, demo_mode);
}

ResultCode load_usb_library_named(const char* library_name, std::int32_t demo_mode)
{
    if (demo_mode != DEMO_OFF) {
        return RC_SUCCESS;
    }
    // Never freed: the library stays in the process until the program ends.
    HMODULE library = LoadLibraryA(library_name);
    if (library == nullptr) {
        return RC_USB_LIBRARY_MISSING;
    }
    g_opener = reinterpret_cast<UsbOpener>(
        reinterpret_cast<void*>(GetProcAddress(library, USB_OPEN_ENTRY)));
    return g_opener != nullptr ? RC_SUCCESS : RC_USB_ENTRY_MISSING;
}

ResultCode create_transfer_events()
{
    g_write_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_read_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_write_record = OVERLAPPED{};
    g_read_record = OVERLAPPED{};
    g_write_record.hEvent = g_write_event;
    g_read_record.hEvent = g_read_event;
    return g_write_event != nullptr && g_read_event != nullptr ? RC_SUCCESS : RC_GENERAL_ERROR;
}

void close_transfer_events()
{
    if (g_write_event != nullptr) {
        CloseHandle(g_write_event);
        g_write_event = nullptr;
    }
    if (g_read_event != nullptr) {
        CloseHandle(g_read_event);
        g_read_event = nullptr;
    }
    g_write_record.hEvent = nullptr;
    g_read_record.hEvent = nullptr;
}

ResultCode find_cutter_printers(std::int32_t demo_mode)
{
    free_cutter_printer_list();
    if (demo_mode != DEMO_OFF) {
        return RC_SUCCESS;  // nothing is ever written, so no queue is ever looked at
    }
    DWORD needed = 0;
    DWORD returned = 0;
    g_spooler_calls.enum_printers(PRINTER_ENUM_FLAGS, nullptr, 1, nullptr, 0, &needed, &returned);
    if (needed == 0) {
        return RC_SUCCESS;
    }
    BYTE* listing = static_cast<BYTE*>(std::malloc(needed));
    if (listing == nullptr) {
        return RC_PRINTER_LIST_NO_MEMORY;
    }
    returned = 0;
    if (!g_spooler_calls.enum_printers(PRINTER_ENUM_FLAGS, nullptr, 1, listing, needed, &needed,
                                       &returned)) {
        returned = 0;
    }
    const PRINTER_INFO_1A* printers = reinterpret_cast<const PRINTER_INFO_1A*>(listing);

    int count = 0;
    for (DWORD i = 0; i < returned; ++i) {
        if (is_cutter_description(printers[i].pDescription)) {
            ++count;
        }
    }
    if (count != 0) {
        g_printer_names = static_cast<char*>(
            std::malloc(static_cast<std::size_t>(count) * PRINTER_NAME_SLOT_SIZE));
        if (g_printer_names == nullptr) {
            std::free(listing);
            return RC_PRINTER_LIST_NO_MEMORY;
        }
        int slot = 0;
        for (DWORD i = 0; i < returned && slot < count; ++i) {
            if (is_cutter_description(printers[i].pDescription)) {
                copy_printer_name(g_printer_names + slot * PRINTER_NAME_SLOT_SIZE,
                                  printers[i].pName);
                ++slot;
            }
        }
    }
    g_printer_count = count;
    std::free(listing);
    return RC_SUCCESS;
}

ResultCode check_port_busy()
{
    for (int i = 0; i < g_printer_count; ++i) {
        HANDLE printer = nullptr;
        if (!g_spooler_calls.open_printer(g_printer_names + i * PRINTER_NAME_SLOT_SIZE, &printer,
                                          nullptr)) {
            return RC_PRINTER_OPEN_FAILED;
        }
        DWORD needed = 0;
        DWORD returned = 0;
        g_spooler_calls.enum_jobs(printer, 0, JOBS_LOOKED_AT, 1, nullptr, 0, &needed, &returned);
        g_spooler_calls.close_printer(printer);
        if (needed != 0) {
            return RC_PRINTER_JOBS_QUEUED;
        }
    }
    return RC_SUCCESS;
}

ResultCode write_bytes(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms)
{
    const ResultCode busy = check_port_busy();
    if (busy != RC_SUCCESS) {
        return busy;
    }
    return transfer(USB_DIRECTION_WRITE, const_cast<void*>(bytes), count, timeout_ms,
                    &g_write_record);
}

ResultCode read_bytes(void* buffer, std::uint32_t count, std::uint32_t timeout_ms)
{
    return transfer(USB_DIRECTION_READ, buffer, count, timeout_ms, &g_read_record);
}

void free_cutter_printer_list()
{
    std::free(g_printer_names);
    g_printer_names = nullptr;
    g_printer_count = 0;
}
