// How long the controller takes to show its main window, next to an empty dialog program under
// the same Wine and the same debugger, and how long the cutter is busy with the start commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;
using e2e::VirtualCutter;

constexpr int RUNS = 10;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Milliseconds from the process's creation to its window being seen; ends the program.
double time_to_window(const std::string& exe, const std::vector<std::string>& words,
                      bool controller)
{
    Program program;
    if (!program.start(exe, words)) {
        return -1;
    }
    HWND window = controller ? program.wait_main_window() : program.wait_dialog("Minimal dialog");
    const double ms = program.elapsed_ms();
    if (window == nullptr) {
        return -1;
    }
    e2e::close_window(window);
    program.wait_exit();
    return ms;
}

TEST(StartUpTime, TheMainWindowComesUpNearlyAsFastAsAnEmptyDialog)
{
    InstallCopy demo_install;
    InstallCopy cutter_install;
    ASSERT_TRUE(demo_install.ok());
    ASSERT_TRUE(cutter_install.ok());
    ASSERT_TRUE(e2e::add_usb_library(&cutter_install));
    VirtualCutter cutter;
    ASSERT_TRUE(cutter.ok());
    const std::string minimal = e2e::test_programs_folder() + "\\minimal_dialog.exe";

    std::vector<double> minimal_ms, demo_ms, cutter_ms, commands_ms;
    // Taken in turns, so that a slow spell of the machine falls on all three alike.
    for (int run = 0; run < RUNS; ++run) {
        minimal_ms.push_back(time_to_window(minimal, {}, false));
        demo_ms.push_back(time_to_window(demo_install.controller(), {"-DEMO"}, true));
        const std::size_t before = cutter.model().commands.size();
        cutter_ms.push_back(time_to_window(cutter_install.controller(), {}, true));
        const std::vector<ReceivedCommand> commands = cutter.model().commands;
        ASSERT_EQ(commands.size(), before + 12) << "not the twelve start commands";
        commands_ms.push_back((commands.back().seconds - commands[before].seconds) * 1000.0);
    }
    for (const auto* series : {&minimal_ms, &demo_ms, &cutter_ms}) {
        ASSERT_TRUE(std::none_of(series->begin(), series->end(), [](double v) { return v < 0; }));
    }

    const double minimal_median = median(minimal_ms);
    const double demo_median = median(demo_ms);
    const double cutter_median = median(cutter_ms);
    const double commands_median = median(commands_ms);
    std::printf("start to window, median of %d runs: empty dialog %.0f ms, controller demo mode "
                "%.0f ms (%.2f x), controller with the virtual cutter %.0f ms (%.2f x); the "
                "twelve start commands, first to last: %.0f ms\n",
                RUNS, minimal_median, demo_median, demo_median / minimal_median, cutter_median,
                cutter_median / minimal_median, commands_median);
    RecordProperty("minimal_dialog_ms", static_cast<int>(minimal_median));
    RecordProperty("demo_mode_ms", static_cast<int>(demo_median));
    RecordProperty("virtual_cutter_ms", static_cast<int>(cutter_median));
    RecordProperty("start_commands_ms", static_cast<int>(commands_median));

    // Not noticeably slower: a user notices a few tenths of a second.
    EXPECT_LT(demo_median, minimal_median + 300);
    EXPECT_LT(cutter_median, minimal_median + 500);
}

}  // namespace
