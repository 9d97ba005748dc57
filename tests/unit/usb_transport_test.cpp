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

TEST_F(UsbTransport, WriteReachesTheCutterAsOneWrite)
{
    const char command[] = "FW3\x03!5\x03";
    ASSERT_EQ(write_bytes(command, 7, 500), RC_SUCCESS);
    EXPECT_EQ(writes(1), (std::vector<std::string>{std::string(command, 7)}));
    EXPECT_EQ(model().state.speed, 5);
}

TEST_F(UsbTransport, ReadGetsTheReplyAndLeavesTheRestOfTheBufferAlone)
{
    ASSERT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    char buffer[16];
    std::memset(buffer, '~', sizeof buffer);
    ASSERT_EQ(read_bytes(buffer, 10, 500), RC_SUCCESS);  // the reply has 6 bytes
    EXPECT_EQ(std::string(buffer, 7), std::string("    0\x03~"));
}

TEST_F(UsbTransport, ReplyThatComesLateStillCompletesWithinTheTimeOut)
{
    set([](CutterModel* m) { m->faults["FQ5"] = Fault::LateReply; m->late_reply_ms = 300; });
    ASSERT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    char buffer[6] = {};
    const auto start = Clock::now();
    ASSERT_EQ(read_bytes(buffer, 6, 3000), RC_SUCCESS);
    EXPECT_GE(milliseconds_since(start), 250.0);
    EXPECT_EQ(std::string(buffer, 6), std::string("    0\x03"));
}

TEST_F(UsbTransport, SilentCutterTimesOutAndTheNextExchangeIsUnharmed)
{
    set([](CutterModel* m) { m->faults["FQ5"] = Fault::Silent; });
    ASSERT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    char buffer[6] = {};
    const auto start = Clock::now();
    EXPECT_EQ(read_bytes(buffer, 6, 1), RC_TRANSFER_TIMEOUT);
    EXPECT_LT(milliseconds_since(start), 400.0);

    // The abandoned read must not swallow the next reply.
    set([](CutterModel* m) { m->faults.clear(); });
    ASSERT_EQ(write_bytes("TB71\x03", 5, 500), RC_SUCCESS);
    char reply[12] = {};
    ASSERT_EQ(read_bytes(reply, 12, 2000), RC_SUCCESS);
    EXPECT_EQ(std::string(reply, 12), std::string("    0,    0\x03"));
}

TEST_F(UsbTransport, WriteTheCutterDoesNotTakeTimesOutOneItTakesLateCompletes)
{
    set([](CutterModel* m) { m->write_stall_ms = 400; });
    const auto start = Clock::now();
    EXPECT_EQ(write_bytes("FH\x03", 3, 1), RC_TRANSFER_TIMEOUT);
    EXPECT_LT(milliseconds_since(start), 300.0);

    set([](CutterModel* m) { m->write_stall_ms = 200; });
    const auto again = Clock::now();
    EXPECT_EQ(write_bytes("FJ\x03", 3, 3000), RC_SUCCESS);
    EXPECT_GE(milliseconds_since(again), 150.0);
    const std::vector<std::string> log = writes(1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "FJ\x03");
}

TEST_F(UsbTransport, BrokenConnectionFailsAtOnce)
{
    set([](CutterModel* m) { m->refuse_transfers = true; });
    EXPECT_EQ(write_bytes("FH\x03", 3, 500), RC_GENERAL_ERROR);
    char buffer[6];
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_GENERAL_ERROR);
    EXPECT_EQ(model().writes, 0);
}

TEST_F(UsbTransport, SwitchedOffOrAbsentCutterCannotBeOpened)
{
    set([](CutterModel* m) { m->switched_off = true; });
    char buffer[6];
    EXPECT_EQ(write_bytes("FH\x03", 3, 500), RC_CANNOT_COMMUNICATE);
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_CANNOT_COMMUNICATE);
    EXPECT_EQ(model().writes, 0);

    stop_cutter_server(server_);
    server_ = start_cutter_server(pipe_name_ + ".elsewhere");
    EXPECT_EQ(write_bytes("FH\x03", 3, 500), RC_CANNOT_COMMUNICATE);
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_CANNOT_COMMUNICATE);
}

TEST_F(UsbTransport, LibraryWithoutTheEntryOrMissingAltogether)
{
    EXPECT_EQ(load_usb_library_named("ZOLKNONE.DLL"), RC_USB_LIBRARY_MISSING);
    EXPECT_EQ(load_usb_library_named("ZOLKNOEP.DLL"), RC_USB_ENTRY_MISSING);
    char buffer[6];
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_CANNOT_COMMUNICATE);  // no opener: no cutter
    EXPECT_EQ(load_usb_library(), RC_SUCCESS);
    EXPECT_EQ(write_bytes("FH\x03", 3, 500), RC_SUCCESS);
}

TEST_F(UsbTransport, DemoModeLoadsNoLibrary)
{
    g_demo_mode = DEMO_VERSION_2;
    EXPECT_EQ(load_usb_library_named("ZOLKNONE.DLL"), RC_SUCCESS);
    g_demo_mode = DEMO_VERSION_1;
    EXPECT_EQ(load_usb_library_named("ZOLKNOEP.DLL"), RC_SUCCESS);
}

// A spooler of the test's own: printers with descriptions and names, jobs per printer, and
// printers that cannot be opened.
struct FakePrinter {
    std::string description;
    std::string name;
    int jobs;
    bool opens;
};
std::vector<FakePrinter> g_printers;
std::vector<std::string> g_spooler_calls_seen;

BOOL WINAPI fake_enum_printers(DWORD flags, LPSTR server, DWORD level, LPBYTE buffer, DWORD size,
                               LPDWORD needed, LPDWORD returned)
{
    g_spooler_calls_seen.push_back("EnumPrinters flags " + std::to_string(flags) + " level " +
                                   std::to_string(level) + (server ? " server" : ""));
    DWORD bytes = static_cast<DWORD>(g_printers.size() * sizeof(PRINTER_INFO_1A));
    for (const FakePrinter& p : g_printers) {
        bytes += static_cast<DWORD>(p.description.size() + p.name.size() + 2);
    }
    *needed = g_printers.empty() ? 0 : bytes;
    *returned = 0;
    if (buffer == nullptr || size < bytes) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PRINTER_INFO_1A* info = reinterpret_cast<PRINTER_INFO_1A*>(buffer);
    char* text = reinterpret_cast<char*>(buffer + g_printers.size() * sizeof(PRINTER_INFO_1A));
    for (const FakePrinter& p : g_printers) {
        info->Flags = 0;
        info->pDescription = text;
        std::memcpy(text, p.description.c_str(), p.description.size() + 1);
        text += p.description.size() + 1;
        info->pName = text;
        std::memcpy(text, p.name.c_str(), p.name.size() + 1);
        text += p.name.size() + 1;
        info->pComment = nullptr;
        ++info;
    }
    *returned = static_cast<DWORD>(g_printers.size());
    return TRUE;
}

BOOL WINAPI fake_open_printer(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults)
{
    g_spooler_calls_seen.push_back(std::string("OpenPrinter ") + name + (defaults ? " defaults" : ""));
    for (std::size_t i = 0; i < g_printers.size(); ++i) {
        if (g_printers[i].name.substr(0, 512) == name && g_printers[i].opens) {
            *printer = reinterpret_cast<HANDLE>(i + 1);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL WINAPI fake_enum_jobs(HANDLE printer, DWORD first, DWORD count, DWORD level, LPBYTE buffer,
                           DWORD size, LPDWORD needed, LPDWORD returned)
{
    g_spooler_calls_seen.push_back("EnumJobs " + std::to_string(first) + " " +
                                   std::to_string(count) + " level " + std::to_string(level) +
                                   (buffer ? " buffer" : "") + (size ? " size" : ""));
    const FakePrinter& p = g_printers[reinterpret_cast<std::size_t>(printer) - 1];
    *needed = static_cast<DWORD>(p.jobs) * 64;
    *returned = 0;
    return p.jobs == 0;
}

BOOL WINAPI fake_close_printer(HANDLE printer)
{
    g_spooler_calls_seen.push_back("ClosePrinter " +
                                   std::to_string(reinterpret_cast<std::size_t>(printer)));
    return TRUE;
}

class PortBusy : public VirtualCutterTest {
protected:
    void use_printers(const std::vector<FakePrinter>& printers)
    {
        g_printers = printers;
        g_spooler_calls_seen.clear();
        g_spooler_calls = SpoolerCalls{fake_enum_printers, fake_open_printer, fake_enum_jobs,
                                       fake_close_printer};
        ASSERT_EQ(find_cutter_printers(), RC_SUCCESS);
    }
};

TEST_F(PortBusy, CutterPrintersAreFoundByDescriptionInTheSpoolersOrder)
{
    const std::string long_name(600, 'L');
    use_printers({
        {"Vellmora Cindrel Series,Driver,USB001", "Cutter A", 0, true},
        {"Laser,Driver,LPT1:", "Vellmora Cindrel by name only", 0, true},
        {"VELLMORA CINDREL QM,Driver,USB002", long_name, 0, true},
        {"vellmora cindrel", "Cutter C", 0, true},
    });
    EXPECT_EQ(g_spooler_calls_seen.front(), "EnumPrinters flags 6 level 1");
    ASSERT_EQ(cutter_printer_count(), 3);
    EXPECT_STREQ(cutter_printer_name(0), "Cutter A");
    EXPECT_EQ(std::string(cutter_printer_name(1)), long_name.substr(0, 512));
    EXPECT_STREQ(cutter_printer_name(2), "Cutter C");
    free_cutter_printer_list();
    EXPECT_EQ(cutter_printer_count(), 0);
}

TEST_F(PortBusy, JobInAnyCutterQueueRefusesEveryWriteButNotReads)
{
    use_printers({
        {"Vellmora Cindrel Series,Driver,USB001", "Cutter A", 0, true},
        {"Laser,Driver,LPT1:", "Busy laser", 3, true},
        {"Vellmora Cindrel Series,Driver,USB002", "Cutter B", 1, true},
    });
    g_spooler_calls_seen.clear();
    EXPECT_EQ(check_port_busy(), RC_PRINTER_JOBS_QUEUED);
    EXPECT_EQ(g_spooler_calls_seen,
              (std::vector<std::string>{"OpenPrinter Cutter A", "EnumJobs 0 99 level 1",
                                        "ClosePrinter 1", "OpenPrinter Cutter B",
                                        "EnumJobs 0 99 level 1", "ClosePrinter 3"}));
    EXPECT_EQ(write_bytes(FQ5, 4, 500), RC_PRINTER_JOBS_QUEUED);
    EXPECT_EQ(model().writes, 0);  // nothing was opened or sent

    char buffer[6];
    set([](CutterModel* m) { m->has_reply = true; m->reply = PendingReply{"    1\x03", 0}; });
    EXPECT_EQ(read_bytes(buffer, 6, 500), RC_SUCCESS);

    g_printers[2].jobs = 0;  // the queue has emptied: the next write goes through
    EXPECT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
}

TEST_F(PortBusy, CutterPrinterThatCannotBeOpenedRefusesTheWrite)
{
    use_printers({
        {"Vellmora Cindrel Series,Driver,USB001", "Gone", 0, false},
        {"Vellmora Cindrel Series,Driver,USB002", "Busy", 1, true},
    });
    EXPECT_EQ(check_port_busy(), RC_PRINTER_OPEN_FAILED);
    EXPECT_EQ(write_bytes(FQ5, 4, 500), RC_PRINTER_OPEN_FAILED);
    EXPECT_EQ(model().writes, 0);
}

TEST_F(PortBusy, WithoutCutterPrintersTheSpoolerIsNotAskedAgain)
{
    use_printers({{"Laser,Driver,LPT1:", "Laser", 5, true}});
    g_spooler_calls_seen.clear();
    EXPECT_EQ(write_bytes(FQ5, 4, 500), RC_SUCCESS);
    EXPECT_TRUE(g_spooler_calls_seen.empty());
}

}  // namespace
