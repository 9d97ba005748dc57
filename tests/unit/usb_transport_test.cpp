#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "virtual_cutter_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

const char FQ5[] = "FQ5\x03";

class UsbTransport : public VirtualCutterTest {};

TEST_F(UsbTransport, TransfersCompleteAtOnceOrWhenTheCutterAnswersLate)
{
    ASSERT_EQ(write_bytes("FW3\x03!5\x03", 7, 500), RC_SUCCESS);
    EXPECT_TRUE(wait_for_writes(server_, 1, 2000));
    EXPECT_EQ(model().write_log, (std::vector<std::string>{"FW3\x03!5\x03"}));  // one write, as sent
    ASSERT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    char buffer[8];
    std::memset(buffer, '~', sizeof buffer);
    ASSERT_EQ(read_bytes(buffer, 7, 500), RC_SUCCESS);  // the reply has 6 bytes
    EXPECT_EQ(std::string(buffer, 8), std::string("    0\x03~~"));

    // Pending, then done within the time-out.
    set([](CutterModel* m) { m->faults["FQ5"] = Fault::LateReply; m->late_reply_ms = 300; });
    ASSERT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    auto start = Clock::now();
    ASSERT_EQ(read_bytes(buffer, 6, 3000), RC_SUCCESS);
    EXPECT_GE(milliseconds_since(start), 250.0);
    EXPECT_EQ(std::string(buffer, 6), "    0\x03");
}

TEST_F(UsbTransport, ATimedOutTransferLeavesTheNextUnharmedABrokenOneFailsAtOnce)
{
    set([](CutterModel* m) { m->faults["FQ5"] = Fault::Silent; });
    ASSERT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    char buffer[12] = {};
    auto start = Clock::now();
    EXPECT_EQ(read_bytes(buffer, 6, 1), RC_TRANSFER_TIMEOUT);
    EXPECT_LT(milliseconds_since(start), 400.0);
    set([](CutterModel* m) { m->faults.clear(); m->write_stall_ms = 400; });
    start = Clock::now();
    EXPECT_EQ(write_bytes("FH\x03", 3, 1), RC_TRANSFER_TIMEOUT);
    EXPECT_LT(milliseconds_since(start), 300.0);

    // The abandoned transfers must not swallow the next reply.
    set([](CutterModel* m) { m->write_stall_ms = 0; });
    ASSERT_EQ(write_bytes("TB71\x03", 5, 3000), RC_SUCCESS);
    ASSERT_EQ(read_bytes(buffer, 12, 2000), RC_SUCCESS);
    EXPECT_EQ(std::string(buffer, 12), "    0,    0\x03");

    // A broken connection fails at once; a cutter that cannot be opened cannot communicate.
    const int writes_before = model().writes;
    set([](CutterModel* m) { m->refuse_transfers = true; });
    EXPECT_EQ(write_bytes("FH\x03", 3, 500), RC_GENERAL_ERROR);
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_GENERAL_ERROR);
    set([](CutterModel* m) { m->refuse_transfers = false; m->switched_off = true; });
    EXPECT_EQ(write_bytes("FH\x03", 3, 500), RC_CANNOT_COMMUNICATE);
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_CANNOT_COMMUNICATE);
    EXPECT_EQ(model().writes, writes_before);
}

TEST_F(UsbTransport, LibraryMissingOrWithoutItsEntryAndDemoModeLoadingNone)
{
    EXPECT_EQ(load_usb_library_named("ZOLKNONE.DLL", DEMO_OFF), RC_USB_LIBRARY_MISSING);
    EXPECT_EQ(load_usb_library_named("ZOLKNOEP.DLL", DEMO_OFF), RC_USB_ENTRY_MISSING);
    char buffer[6];
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_CANNOT_COMMUNICATE);  // no opener: no cutter
    EXPECT_EQ(load_usb_library_named("ZOLKNONE.DLL", DEMO_VERSION_2), RC_SUCCESS);
    EXPECT_EQ(load_usb_library(DEMO_OFF), RC_SUCCESS);
    EXPECT_EQ(write_bytes("FH\x03", 3, 500), RC_SUCCESS);
}

// A spooler of the test's own: printers with descriptions, names, queued jobs, and whether they
// open; every open and close is noted.
struct FakePrinter {
    std::string description, name;
    int jobs;
    bool opens;
};
std::vector<FakePrinter> g_printers;
std::vector<std::string> g_calls;

BOOL WINAPI fake_enum_printers(DWORD flags, LPSTR, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                               LPDWORD returned)
{
    g_calls.push_back("EnumPrinters " + std::to_string(flags) + " " + std::to_string(level));
    std::vector<PRINTER_INFO_1A> listing;
    for (FakePrinter& p : g_printers) {
        listing.push_back({0, &p.description[0], &p.name[0], nullptr});  // the texts stay in g_printers
    }
    *needed = static_cast<DWORD>(listing.size() * sizeof(PRINTER_INFO_1A));
    *returned = buffer != nullptr && size >= *needed ? static_cast<DWORD>(listing.size()) : 0;
    if (*returned != 0) std::memcpy(buffer, listing.data(), *needed);
    return *returned != 0;
}

BOOL WINAPI fake_open_printer(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA)
{
    g_calls.push_back(std::string("Open ") + name);
    for (std::size_t i = 0; i < g_printers.size(); ++i) {
        *printer = reinterpret_cast<HANDLE>(i + 1);
        if (g_printers[i].name == name) return g_printers[i].opens;
    }
    return FALSE;
}

BOOL WINAPI fake_enum_jobs(HANDLE printer, DWORD, DWORD, DWORD, LPBYTE, DWORD, LPDWORD needed, LPDWORD returned)
{
    *needed = static_cast<DWORD>(g_printers[reinterpret_cast<std::size_t>(printer) - 1].jobs) * 64;
    *returned = 0;
    return *needed == 0;
}

BOOL WINAPI fake_close_printer(HANDLE printer)
{
    g_calls.push_back("Close " + std::to_string(reinterpret_cast<std::size_t>(printer)));
    return TRUE;
}

using PortBusy = VirtualCutterTest;

const char CUTTER[] = "Vellmora Cindrel Series,Driver,USB001";

TEST_F(PortBusy, JobInAnyCutterQueueOrAnUnopenableOneRefusesEveryWriteButNotReads)
{
    g_printers = {{CUTTER, "Cutter A", 0, true}, {"Laser,Driver,LPT1:", "Vellmora Cindrel by name only", 3, true},
                  {CUTTER, "Cutter B", 1, true}};
    g_spooler_calls = SpoolerCalls{fake_enum_printers, fake_open_printer, fake_enum_jobs, fake_close_printer};
    ASSERT_EQ(find_cutter_printers(DEMO_OFF), RC_SUCCESS);
    EXPECT_EQ(write_bytes(FQ5, 4, 500), RC_PRINTER_JOBS_QUEUED);
    // Local printers and connections (size, then list); each cutter queue opened, looked at, closed.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"EnumPrinters 6 1", "EnumPrinters 6 1", "Open Cutter A", "Close 1",
                                                 "Open Cutter B", "Close 3"}));
    EXPECT_EQ(model().writes, 0);  // nothing was opened or sent
    char buffer[6];
    set([](CutterModel* m) { m->has_reply = true; m->reply = PendingReply{"    1\x03", 0}; });
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_SUCCESS);

    g_printers[2].jobs = 0;  // the queue has emptied: the next write goes through
    EXPECT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    g_printers[0].opens = false;  // a cutter printer that cannot be opened refuses the write too
    EXPECT_EQ(write_bytes(FQ5, 4, 500), RC_PRINTER_OPEN_FAILED);
}

}  // namespace
