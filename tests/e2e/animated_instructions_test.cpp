// The job panel's "Animated Instructions": one instance of CIC_DMAN.EXE, kept above the other
// windows, closed with the controller; without the program, a message and the run goes on.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

// Running CIC_DMAN.EXE processes that this parent started.
std::vector<DWORD> animations_of(DWORD parent_pid)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent_pid && lstrcmpiA(entry.szExeFile, "CIC_DMAN.EXE") == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

bool topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(AnimatedInstructionsButton, TwoPressesStartOneInstanceKeptOnTopAndWithoutTheProgramShow211)
{
    for (bool installed : {true, false}) {
        SCOPED_TRACE(installed ? "installed" : "CIC_DMAN.EXE missing");
        e2e::InstallCopy install;
        ASSERT_TRUE(installed || DeleteFileA(install.path("CIC_DMAN.EXE").c_str()));
        e2e::Program controller;
        HWND main = e2e::start_controller(&controller, install, {"-DEMO"});
        ASSERT_TRUE(main);
        HWND panel = e2e::job_panel_of(main);
        ASSERT_TRUE(e2e::click(panel, IDC_ANIMATED_INSTRUCTIONS));
        if (!installed) {
            EXPECT_EQ(e2e::message_answered(&controller), "Startup Animated Instructions Error !!! [code = 211]");
            e2e::close_and_expect_exit(&controller, main, 0);
            continue;
        }
        std::vector<DWORD> running;
        ASSERT_TRUE(e2e::wait_until([&] {
            running = animations_of(controller.pid());
            return !running.empty() && !e2e::windows_of(running[0]).empty();
        }, "the animated instructions to show their window"));
        HWND animation = e2e::windows_of(running[0])[0];
        EXPECT_TRUE(e2e::wait_until([&] { return topmost(animation); }, "the animated instructions on top"));

        // Someone else takes the top; the second press gives it back and starts nothing new.
        ASSERT_TRUE(SetWindowPos(animation, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
        ASSERT_TRUE(e2e::click(panel, IDC_ANIMATED_INSTRUCTIONS));
        EXPECT_TRUE(e2e::wait_until([&] { return topmost(animation); }, "the second press to raise them"));
        Sleep(500);
        EXPECT_EQ(animations_of(controller.pid()), running);

        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, running[0]);
        ASSERT_TRUE(process);
        e2e::close_and_expect_exit(&controller, main, 0);
        EXPECT_EQ(WaitForSingleObject(process, e2e::DEFAULT_TIMEOUT_MS), WAIT_OBJECT_0)
            << "the animated instructions still run after the controller has ended";
        CloseHandle(process);
    }
}

}  // namespace
