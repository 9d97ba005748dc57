// The job panel's "Animated Instructions": one instance of CIC_DMAN.EXE, kept above the other
// windows, closed with the controller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;

constexpr const char* ANIMATION_EXE = "CIC_DMAN.EXE";

HWND top_level_window_of(DWORD pid)
{
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool topmost(HWND window)
{
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST(AnimatedInstructionsButton, TwoPressesStartOneInstanceKeptOnTopThatEndsWithTheController)
{
    InstallCopy install;
    ASSERT_TRUE(install.ok());
    Program controller;
    ASSERT_TRUE(controller.start(install.controller(), {"-DEMO"}));
    HWND main = controller.wait_main_window();
    ASSERT_TRUE(main);
    HWND panel = e2e::job_panel_of(main);
    ASSERT_TRUE(panel);

    ASSERT_TRUE(e2e::click(panel, IDC_ANIMATED_INSTRUCTIONS));
    std::vector<DWORD> running;
    ASSERT_TRUE(e2e::wait_until(
        [&] {
            running = e2e::child_processes(controller.pid(), ANIMATION_EXE);
            return !running.empty() && top_level_window_of(running[0]) != nullptr;
        },
        "the animated instructions to show their window"));
    const DWORD animation_pid = running[0];
    HWND animation = top_level_window_of(animation_pid);
    EXPECT_TRUE(e2e::wait_until([&] { return topmost(animation); },
                                "the animated instructions to be topmost"));

    // Someone else takes the top; the second press gives it back and starts nothing new.
    ASSERT_TRUE(SetWindowPos(animation, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    ASSERT_FALSE(topmost(animation));
    ASSERT_TRUE(e2e::click(panel, IDC_ANIMATED_INSTRUCTIONS));
    EXPECT_TRUE(e2e::wait_until([&] { return topmost(animation); },
                                "the second press to raise the animated instructions"));
    Sleep(500);
    EXPECT_EQ(e2e::child_processes(controller.pid(), ANIMATION_EXE),
              std::vector<DWORD>{animation_pid});

    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, animation_pid);
    ASSERT_TRUE(process);
    EXPECT_TRUE(e2e::close_window(main));
    EXPECT_EQ(controller.wait_exit(), 0u);
    EXPECT_EQ(WaitForSingleObject(process, e2e::DEFAULT_TIMEOUT_MS), WAIT_OBJECT_0)
        << "the animated instructions still run after the controller has ended";
    CloseHandle(process);
}

TEST(AnimatedInstructionsButton, WithoutTheProgramThePressShows211AndTheRunGoesOn)
{
    InstallCopy install;
    ASSERT_TRUE(install.ok());
    ASSERT_TRUE(install.remove_file(ANIMATION_EXE));
    Program controller;
    ASSERT_TRUE(controller.start(install.controller(), {"-DEMO"}));
    HWND main = controller.wait_main_window();
    ASSERT_TRUE(main);
    HWND panel = e2e::job_panel_of(main);
    ASSERT_TRUE(panel);

    ASSERT_TRUE(e2e::click(panel, IDC_ANIMATED_INSTRUCTIONS));
    HWND box = controller.wait_message_box();
    ASSERT_TRUE(box);
    const e2e::MessageBoxContent message = e2e::read_message_box(box);
    EXPECT_EQ(message.text, "Startup Animated Instructions Error !!! [code = 211]");
    EXPECT_EQ(message.icon, e2e::BoxIcon::Stop);
    EXPECT_TRUE(e2e::answer(box, IDOK));

    EXPECT_TRUE(controller.running());
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(e2e::close_window(main));
    EXPECT_EQ(controller.wait_exit(), 0u);
}

}  // namespace
