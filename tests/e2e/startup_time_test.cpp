// How long the controller takes to show its main window, next to the harness probe's empty dialog
// under the same Wine and debugger, and how long the cutter is busy with the start commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"

namespace {

constexpr int RUNS = 10;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return (values[(RUNS - 1) / 2] + values[RUNS / 2]) / 2.0;
}

// Milliseconds from the process's creation to its window being seen; ends the program.
double time_to_window(const std::string& exe, const std::vector<std::string>& words, bool controller)
{
    e2e::Program program;
    EXPECT_TRUE(program.start(exe, words));
    HWND window = controller ? program.wait_main_window() : program.wait_dialog("Minimal dialog");
    const double ms = program.elapsed_ms();
    EXPECT_TRUE(window && e2e::close_window(window));
    EXPECT_TRUE(program.wait_exit().has_value());
    return window != nullptr ? ms : 1e9;
}

TEST(StartUpTime, TheMainWindowComesUpNearlyAsFastAsAnEmptyDialog)
{
    e2e::InstallCopy demo_install, cutter_install;
    ASSERT_TRUE(demo_install.ok() && cutter_install.ok() && e2e::add_usb_library(&cutter_install));
    e2e::VirtualCutter cutter;
    ASSERT_TRUE(cutter.ok());
    const std::string probe = e2e::test_programs_folder() + "\\harness_probe.exe";

    std::vector<double> minimal_ms, demo_ms, cutter_ms, commands_ms;
    // Taken in turns, so that a slow spell of the machine falls on all three alike.
    for (int run = 0; run < RUNS; ++run) {
        minimal_ms.push_back(time_to_window(probe, {"dialog"}, false));
        demo_ms.push_back(time_to_window(demo_install.controller(), {"-DEMO"}, true));
        const std::size_t before = cutter.model().commands.size();
        cutter_ms.push_back(time_to_window(cutter_install.controller(), {}, true));
        // The orientation, last, has no reply: the cutter may take it a moment after the window shows.
        e2e::wait_until([&] { return cutter.model().commands.size() >= before + 13; }, "the orientation", 3000);
        const std::vector<ReceivedCommand> commands = cutter.model().commands;
        ASSERT_EQ(commands.size(), before + 13) << "not the thirteen start commands";
        commands_ms.push_back((commands.back().seconds - commands[before].seconds) * 1000.0);
    }
    const double minimal_median = median(minimal_ms), demo_median = median(demo_ms);
    const double cutter_median = median(cutter_ms), commands_median = median(commands_ms);
    std::printf("start to window, median of %d runs: empty dialog %.0f ms, controller demo mode "
                "%.0f ms (%.2f x), controller with the virtual cutter %.0f ms (%.2f x); the "
                "thirteen start commands, first to last: %.0f ms\n",
                RUNS, minimal_median, demo_median, demo_median / minimal_median, cutter_median,
                cutter_median / minimal_median, commands_median);
    // Not noticeably slower: a user notices a few tenths of a second.
    EXPECT_LT(demo_median, minimal_median + 300);
    EXPECT_LT(cutter_median, minimal_median + 500);
}

}  // namespace
