// Start-up benchmark (scripts/bench.sh runs it): how long the controller takes from its start to
// its main window, next to programs that show the same windows with none of its work, and how
// much processor time it uses while its main window stands open and nothing happens.
//
//   startup_bench.exe [runs] [idle seconds] [install folder]
// (15, 10 and the build's install folder when not given; another folder compares another build)
//
// In each round the four programs start in turn, each from the same kind of fresh install copy:
//   empty dialog     harness_probe.exe dialog: the least a dialog program does
//   same dialogs     same_dialogs_probe.exe: the controller's dialogs 10 and 11, no logic
//   demo mode        QMACTL.EXE -DEMO
//   virtual cutter   QMACTL.EXE against the virtual cutter hosted in this process
// Each program is started as a user's computer starts it (no debugger attached) and timed until
// its window is shown and the program waits for input (WaitForInputIdle). The order within a
// round turns by one every round, so a slow spell of the machine falls on all of them alike.
// Nothing here decides whether a figure is good: it prints medians, best runs and ratios. It ends
// with 1 only when a program failed to start or to end, or the cutter did not receive its start
// commands.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

// The start commands the cutter receives at every start, each brought by a write of its own:
// the twelve of the start-up sequence and the job panel's orientation.
constexpr std::size_t START_COMMANDS = 13;
constexpr DWORD START_TIMEOUT_MS = 30000;
constexpr DWORD END_TIMEOUT_MS = 15000;

struct Started {
    PROCESS_INFORMATION info{};
    double ms = 0;      // from just before CreateProcess to the window shown and idle
    HWND window = nullptr;
};

double now_ms()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// The program's window with this title; for the controller's title only the main window, told by
// its guide area (a message box of the same title is not it).
HWND window_titled(DWORD pid, const std::string& title)
{
    for (HWND window : e2e::windows_of(pid)) {
        if (e2e::window_text(window) == title &&
            (title != e2e::CONTROLLER_TITLE || GetDlgItem(window, IDC_GUIDE_AREA) != nullptr)) {
            return window;
        }
    }
    return nullptr;
}

// Starts `exe` in its folder and waits until its window `title` is shown and the program waits
// for input. False (with the reason printed) when that does not happen in time.
bool start_program(const std::string& exe, const std::string& arguments, const std::string& title,
                   Started* started)
{
    std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const double start = now_ms();
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started->info)) {
        std::printf("cannot start %s: error %lu\n", line.c_str(), GetLastError());
        return false;
    }
    // The program goes idle for the first time in its dialog's message loop, once the dialog has
    // been created, shown and painted.
    if (WaitForInputIdle(started->info.hProcess, START_TIMEOUT_MS) != 0) {
        std::printf("%s did not wait for input within %lu ms\n", line.c_str(), START_TIMEOUT_MS);
        return false;
    }
    while ((started->window = window_titled(started->info.dwProcessId, title)) == nullptr) {
        if (WaitForSingleObject(started->info.hProcess, 1) == WAIT_OBJECT_0 ||
            now_ms() - start > START_TIMEOUT_MS) {
            std::printf("%s showed no window \"%s\"; its windows:", line.c_str(), title.c_str());
            for (HWND window : e2e::windows_of(started->info.dwProcessId)) {
                std::printf(" \"%s\" saying \"%s\"", e2e::window_text(window).c_str(),
                            e2e::control_text(window, 0xFFFF).c_str());
            }
            std::printf("\n");
            return false;
        }
    }
    started->ms = now_ms() - start;
    return true;
}

// Closes the window as the user would and waits for the end; kills the program when it does
// not end.
bool end_program(Started* started)
{
    bool ended = started->window != nullptr && e2e::close_window(started->window) &&
                 WaitForSingleObject(started->info.hProcess, END_TIMEOUT_MS) == WAIT_OBJECT_0;
    if (!ended) {
        std::printf("a program did not end after its window was closed; killed\n");
        TerminateProcess(started->info.hProcess, 1);
        WaitForSingleObject(started->info.hProcess, END_TIMEOUT_MS);
    }
    CloseHandle(started->info.hThread);
    CloseHandle(started->info.hProcess);
    started->info = PROCESS_INFORMATION{};
    return ended;
}

// Processor time (user and kernel) of a process in milliseconds, from the system's process
// list: under Wine that is the only place that knows another process's times.
using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

struct ThreadEntry {  // SYSTEM_THREAD_INFORMATION
    LARGE_INTEGER kernel_time, user_time, create_time;
    ULONG wait_time;
    void* start_address;
    void* unique_process, *unique_thread;
    LONG priority, base_priority;
    ULONG context_switches, state, wait_reason;
};

struct ProcessEntry {  // SYSTEM_PROCESS_INFORMATION up to its threads
    ULONG next_entry_offset, thread_count;
    LARGE_INTEGER reserved[3];
    LARGE_INTEGER create_time, user_time, kernel_time;
    USHORT name_length, name_maximum;
    wchar_t* name;
    LONG base_priority;
    HANDLE unique_process_id, inherited_from;
    ULONG handle_count, session_id;
    ULONG_PTR page_directory_base;
    SIZE_T virtual_sizes[11];
    LARGE_INTEGER io_counters[6];
};

double process_cpu_ms(DWORD pid)
{
    static const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    constexpr ULONG SYSTEM_PROCESS_INFORMATION_CLASS = 5;
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    while (query(SYSTEM_PROCESS_INFORMATION_CLASS, buffer.data(), static_cast<ULONG>(buffer.size()),
                 &needed) != 0) {
        if (buffer.size() >= (64u << 20)) {
            return -1;
        }
        buffer.resize(buffer.size() * 2);
    }
    for (std::size_t offset = 0;;) {
        const auto* process = reinterpret_cast<const ProcessEntry*>(buffer.data() + offset);
        if (reinterpret_cast<ULONG_PTR>(process->unique_process_id) == pid) {
            // The process's own totals, and the sum of its threads' where those are not kept.
            LONGLONG total = process->user_time.QuadPart + process->kernel_time.QuadPart, threads = 0;
            const auto* thread = reinterpret_cast<const ThreadEntry*>(process + 1);
            for (ULONG i = 0; i < process->thread_count; ++i) {
                threads += thread[i].user_time.QuadPart + thread[i].kernel_time.QuadPart;
            }
            return static_cast<double>(std::max(total, threads)) / 10000.0;
        }
        if (process->next_entry_offset == 0) {
            return -1;
        }
        offset += process->next_entry_offset;
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (values[(n - 1) / 2] + values[n / 2]) / 2.0;
}

struct Contender {
    const char* name;
    std::string exe, arguments, title;
    bool with_cutter;
    std::vector<double> ms;
};

// The folder of this program, where the build puts the probe beside it.
std::string own_folder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length < MAX_PATH ? length : 0);
    return full.substr(0, full.find_last_of('\\'));
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int idle_seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

    const std::string source = argc > 3 ? argv[3] : e2e::dist_folder();
    e2e::InstallCopy empty_install(source), probe_install(source), demo_install(source), cutter_install(source);
    e2e::VirtualCutter cutter;
    if (!empty_install.ok() || !probe_install.ok() || !demo_install.ok() || !cutter_install.ok() ||
        !cutter.ok() || !e2e::add_usb_library(&cutter_install) ||
        !empty_install.copy_in(own_folder() + "\\harness_probe.exe") ||
        !probe_install.copy_in(own_folder() + "\\same_dialogs_probe.exe")) {
        std::printf("cannot prepare the install copies or the virtual cutter\n");
        return 1;
    }
    std::vector<Contender> contenders = {
        {"empty dialog", empty_install.path("harness_probe.exe"), "dialog", "Minimal dialog", false, {}},
        {"same two dialogs", probe_install.path("same_dialogs_probe.exe"),
         "\"" + probe_install.controller() + "\"", e2e::CONTROLLER_TITLE, false, {}},
        {"controller, demo mode", demo_install.controller(), "-DEMO", e2e::CONTROLLER_TITLE, false, {}},
        {"controller, virtual cutter", cutter_install.controller(), "", e2e::CONTROLLER_TITLE, true, {}},
    };

    bool commands_right = true;
    // Round 0 warms the file cache and writes the settings files; it is not counted.
    for (int round = 0; round <= runs; ++round) {
        for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
            Contender& c = contenders[(turn + static_cast<std::size_t>(round)) % contenders.size()];
            const CutterModel before = cutter.model();
            Started started;
            if (!start_program(c.exe, c.arguments, c.title, &started)) {
                end_program(&started);
                return 1;
            }
            if (!end_program(&started)) {
                return 1;
            }
            if (round > 0) {
                c.ms.push_back(started.ms);
            }
            const CutterModel after = cutter.model();
            const std::size_t commands = after.commands.size() - before.commands.size();
            const int writes = after.writes - before.writes;
            if (commands != (c.with_cutter ? START_COMMANDS : 0) || writes != static_cast<int>(commands)) {
                std::printf("%s: the cutter received %zu commands in %d writes\n", c.name, commands, writes);
                commands_right = false;
            }
        }
    }

    // The median, and the best run: on a shared machine some runs are slowed as a whole (every
    // step of them takes two to four times as long), and the best run shows the program's own
    // cost with the least of that.
    // The paired ratio sets each run against the run of the same round it is compared with: the
    // rounds take a few seconds each, so a slow spell of the machine weighs on both alike.
    std::printf("start to main window shown and idle, %d interleaved runs:  median (ratio)   best (ratio)"
                "   paired ratio\n", runs);
    const auto best_of = [](const Contender& c) { return *std::min_element(c.ms.begin(), c.ms.end()); };
    for (const Contender& c : contenders) {
        // The empty dialog is the ground; the probe is set against it, the controller against
        // the probe.
        const Contender& against = &c == &contenders[1] ? contenders[0] : contenders[1];
        if (&c == &contenders[0]) {
            std::printf("  %-28s %6.0f ms           %6.0f ms\n", c.name, median(c.ms), best_of(c));
        } else {
            std::vector<double> paired;
            for (std::size_t round = 0; round < c.ms.size(); ++round) {
                paired.push_back(c.ms[round] / against.ms[round]);
            }
            std::printf("  %-28s %6.0f ms (%.2f x)  %6.0f ms (%.2f x)    %.2f x\n", c.name, median(c.ms),
                        median(c.ms) / median(against.ms), best_of(c), best_of(c) / best_of(against),
                        median(paired));
        }
    }
    std::printf("  (the same two dialogs against the empty dialog, the controller against the same two dialogs)\n");
    std::printf("  start with the cutter: %s\n",
                commands_right ? "13 commands, each in one write, on every run" : "NOT the 13 commands");

    // Idle: the main window open, nothing happening. A second for the first painting to settle,
    // then the processor time over the given seconds.
    for (std::size_t i = 2; i < contenders.size(); ++i) {
        Contender& c = contenders[i];
        Started started;
        if (!start_program(c.exe, c.arguments, c.title, &started)) {
            end_program(&started);
            return 1;
        }
        Sleep(1000);
        const double before = process_cpu_ms(started.info.dwProcessId);
        Sleep(static_cast<DWORD>(idle_seconds) * 1000);
        const double after = process_cpu_ms(started.info.dwProcessId);
        if (before < 0 || after < 0) {
            std::printf("idle, %s: processor time not readable\n", c.name);
        } else {
            std::printf("idle over %d s, %s: %.0f ms processor time (%.0f ms to start)\n",
                        idle_seconds, c.name, after - before, before);
        }
        if (!end_program(&started)) {
            return 1;
        }
    }
    return commands_right ? 0 : 1;
}
