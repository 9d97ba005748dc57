// The USB transport: the cutter maker's library ZOLKUSBP.DLL hands out one file handle per
// transfer, and the bytes travel with overlapped WriteFile/ReadFile bounded by a time-out. Before
// every write the print spooler is asked whether a printer of the cutter family holds a job.
// The state (opener, transfer records and events, printer list) belongs to this module.
#ifndef CUTTER_USB_TRANSPORT_H
#define CUTTER_USB_TRANSPORT_H

#include <windows.h>
#include <winspool.h>

#include <cstdint>

#include "common/result_code.h"

constexpr const char* USB_LIBRARY_NAME = "ZOLKUSBP.DLL";
constexpr const char* USB_OPEN_ENTRY = "ZOLK_OpenUsb";

// ZOLK_OpenUsb(device number 0, direction, access mask GENERIC_WRITE): a handle or
// INVALID_HANDLE_VALUE when the cutter cannot be opened.
using UsbOpener = HANDLE(WINAPI*)(DWORD device, DWORD direction, DWORD access);
constexpr DWORD USB_DIRECTION_WRITE = 0;
constexpr DWORD USB_DIRECTION_READ = 1;

// The spooler calls the printer list and the busy check use. They are the real winspool calls,
// the library loaded on the first of them; a test replaces them to list printers and jobs of its
// own.
struct SpoolerCalls {
    BOOL(WINAPI* enum_printers)(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size,
                                LPDWORD needed, LPDWORD returned);
    BOOL(WINAPI* open_printer)(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults);
    BOOL(WINAPI* enum_jobs)(HANDLE printer, DWORD first, DWORD count, DWORD level, LPBYTE buffer,
                            DWORD size, LPDWORD needed, LPDWORD returned);
    BOOL(WINAPI* close_printer)(HANDLE printer);
};
extern SpoolerCalls g_spooler_calls;
extern const SpoolerCalls REAL_SPOOLER_CALLS;

// Loads the cutter maker's library; in demo mode nothing is loaded.
[[nodiscard]] ResultCode load_usb_library(std::int32_t demo_mode);
// The same from a library of another name: tests load stand-ins that lack the library or entry.
[[nodiscard]] ResultCode load_usb_library_named(const char* library_name, std::int32_t demo_mode);
// Creates the write and read events; RC_GENERAL_ERROR when the platform gives none, as no
// transfer could then be waited for.
[[nodiscard]] ResultCode create_transfer_events();
void close_transfer_events();
// The cutter printers of the spooler; in demo mode the list stays empty and the spooler is not
// asked.
[[nodiscard]] ResultCode find_cutter_printers(std::int32_t demo_mode);
[[nodiscard]] ResultCode check_port_busy();
[[nodiscard]] ResultCode write_bytes(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms);
[[nodiscard]] ResultCode read_bytes(void* buffer, std::uint32_t count, std::uint32_t timeout_ms);
void free_cutter_printer_list();

#endif
