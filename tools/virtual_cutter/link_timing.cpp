// link_timing.exe: how long one cutter command takes end to end against the virtual cutter,
// against the transport alone and against a bare write and read on one pipe connection.
//
//   link_timing.exe [--count N] [--external]
//
// By default the virtual cutter runs inside this program; with --external it uses a running
// virtual_cutter.exe (the pipe named by QUILLMARK_CUTTER_PIPE, or its default), and the bare
// pipe measurement is skipped.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cutter_server.h"
#include "device/program_link.h"
#include "device/usb_transport.h"

namespace {

const CutterLink cutter = program_link(DEMO_OFF);

using Clock = std::chrono::steady_clock;

struct Summary {
    double median, p10, p90;
};

Summary measure(int count, const std::function<bool()>& once, int* failures)
{
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        if (!once()) {
            ++*failures;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return Summary{ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10]};
}

void print(const char* what, const Summary& s, const int& failures)
{
    std::printf("%-58s median %7.3f ms  (p10 %7.3f, p90 %7.3f)%s\n", what, s.median, s.p10, s.p90,
                failures ? "  FAILURES" : "");
}

// A bare exchange partner on a pipe made like the virtual cutter's: every message written to
// it is answered with six bytes.
void echo_server(HANDLE pipe, int count)
{
    OVERLAPPED record = {};
    record.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD done = 0;
    if (!ConnectNamedPipe(pipe, &record) && GetLastError() == ERROR_IO_PENDING) {
        GetOverlappedResult(pipe, &record, &done, TRUE);
    }
    for (int i = 0; i < count; ++i) {
        char bytes[64];
        if (!ReadFile(pipe, bytes, sizeof bytes, nullptr, &record) && GetLastError() != ERROR_IO_PENDING) break;
        if (!GetOverlappedResult(pipe, &record, &done, TRUE)) break;
        if (!WriteFile(pipe, "    1\x03", 6, nullptr, &record) && GetLastError() != ERROR_IO_PENDING) break;
        if (!GetOverlappedResult(pipe, &record, &done, TRUE)) break;
    }
    CloseHandle(record.hEvent);
}

bool wait_transfer(BOOL started, HANDLE event, DWORD timeout)
{
    return started || (GetLastError() == ERROR_IO_PENDING &&
                       WaitForSingleObject(event, timeout) == WAIT_OBJECT_0);
}

}  // namespace

int main(int argc, char** argv)
{
    int count = 500;
    bool external = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--count") == 0 && i + 1 < argc) {
            count = std::max(10, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--external") == 0) {
            external = true;
        }
    }
    CutterServer* server = nullptr;
    if (!external) {
        const std::string pipe =
            "\\\\.\\pipe\\QuillmarkTimingCutter." + std::to_string(GetCurrentProcessId());
        SetEnvironmentVariableA(CUTTER_PIPE_VARIABLE, pipe.c_str());
        server = start_cutter_server(pipe);
        if (server == nullptr) {
            std::fprintf(stderr, "cannot start the virtual cutter\n");
            return 1;
        }
    }
    if (create_transfer_events() != RC_SUCCESS || load_usb_library(DEMO_OFF) != RC_SUCCESS || find_cutter_printers(DEMO_OFF) != RC_SUCCESS) {
        std::fprintf(stderr, "cannot load ZOLKUSBP.DLL (run from the sim folder)\n");
        return 1;
    }
    std::printf("%d repetitions each\n", count);
    int failures = 0;
    measure(50, [] { return ready_query(cutter) == RC_GENERAL_ERROR; }, &failures);  // warm-up
    failures = 0;
    print("ready query, end to end (debugger line, busy check, write, read, judge)",
          measure(count, [] { return ready_query(cutter) == RC_GENERAL_ERROR; }, &failures), failures);
    failures = 0;
    print("cut-speed command, end to end (write only)",
          measure(count, [] { return cut_speed_command(cutter, 5) == RC_SUCCESS; }, &failures), failures);
    failures = 0;
    print("transport alone: write_bytes + read_bytes of FQ5",
          measure(count, [] {
              char reply[6];
              return write_bytes("FQ5\x03", 4, 500) == RC_SUCCESS &&
                     read_bytes(reply, 6, 500) == RC_SUCCESS;
          }, &failures), failures);

    if (!external) {
        const std::string bare_name =
            "\\\\.\\pipe\\QuillmarkTimingBare." + std::to_string(GetCurrentProcessId());
        HANDLE end = CreateNamedPipeA(bare_name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                      PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1,
                                      4096, 0, 0, nullptr);
        std::thread partner(echo_server, end, count);
        HANDLE client = INVALID_HANDLE_VALUE;
        while (client == INVALID_HANDLE_VALUE) {
            client = CreateFileA(bare_name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        }
        OVERLAPPED record = {};
        record.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        failures = 0;
        print("bare WriteFile + ReadFile on one open pipe connection",
              measure(count, [&] {
                  char reply[6];
                  return wait_transfer(WriteFile(client, "FQ5\x03", 4, nullptr, &record), record.hEvent, 500) &&
                         wait_transfer(ReadFile(client, reply, 6, nullptr, &record), record.hEvent, 500);
              }, &failures), failures);
        partner.join();
        CloseHandle(client);
        CloseHandle(end);
        CloseHandle(record.hEvent);
    }
    close_transfer_events();
    stop_cutter_server(server);
    return 0;
}
