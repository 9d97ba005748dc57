// How a run ends and what the printing side gets back: Enter and Escape end it with 0 or 1 by cut
// mode, as the window's Close (WM_CLOSE) does in every other scenario;
// "Cut..." reads the marks when the job has them, asks when the cutter is not ready and ends with
// 2; a second controller says so and ends with 100 while the first goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

TEST(MainWindowEnd, EnterAndEscapeEndTheRunPerCutModeAndSaveTheSettings)
{
    const struct {
        std::vector<std::string> words;
        WPARAM key;
        bool ends;
        DWORD exit_code;
    } cases[] = {{{"-DEMO"}, VK_RETURN, true, 0}, {{"-DEMO", "-CUTMODE"}, VK_ESCAPE, true, 1},
                 {{"-DEMO"}, VK_ESCAPE, false, 0}};
    const std::string settings = e2e::settings_file({"Direction=1"});
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words) + " key " + std::to_string(c.key));
        e2e::InstallCopy install;
        ASSERT_TRUE(install.write_file("QMACTL.INI", settings));
        e2e::Program controller;
        HWND main = e2e::start_controller(&controller, install, c.words);
        ASSERT_TRUE(main);
        EXPECT_TRUE(PostMessageA(main, WM_KEYDOWN, c.key, 0));
        if (!c.ends) {
            Sleep(1000);
            EXPECT_TRUE(controller.running());
            EXPECT_EQ(install.read_file("QMACTL.INI"), settings);
            EXPECT_TRUE(e2e::close_window(main));
        }
        EXPECT_EQ(controller.wait_exit(), c.exit_code);
        EXPECT_EQ(e2e::saved_setting(install, "Version_Section", "Version"),
                  "Quillmark Advanced Controller Version 2.01");
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "Direction"), "1");
    }
}

TEST(ConfirmCut, TheMarksAreSearchedWhenTheJobHasThemAnUnreadyCutterAsksAndTheCutEndsWithTwo)
{
    const char* const NOT_READY = "Cannot read the registration marks.\nThe print and cut positions may "
                                  "not line up.\nCut anyway?";
    struct Case {
        const char* what;
        std::vector<std::string> settings, words;
        std::vector<int> answers;  // to the question each press of Cut brings
        std::vector<std::string> commands;
    };
    const Case cases[] = {
        // 100.049 mm shows as 100.0 mm, and what is read is what is shown, and saved.
        {"search on", {"PosSet=1", "TomboAutoRead=1", "Unit=0", "TomboDisX=100049", "TomboDisY=150000"},
         {"-CUTMODE"}, {}, {"TB99\x03", "TB55,1\x03", "TB123,2000,3000\x03", "FQ5\x03"}},
        // The cutter has read no marks, so it is not ready: not yet, then cut anyway.
        {"marks off", {"PosSet=0", "TomboDisX=100000"}, {"-CUTMODE"}, {IDCANCEL, IDOK}, {"FQ5\x03", "FQ5\x03"}},
        {"job without marks", {"PosSet=1", "TomboAutoRead=1", "TomboDisX=100000"}, {"-CUTMODE", "-NOTRM"}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        e2e::InstallCopy install;
        e2e::VirtualCutter cutter;
        ASSERT_TRUE(install.ok() && cutter.ok() && e2e::add_usb_library(&install));
        ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file(c.settings)));
        e2e::Program controller;
        HWND main = e2e::start_controller(&controller, install, c.words);
        ASSERT_TRUE(main);
        if (c.commands.size() == 4) {
            EXPECT_EQ(e2e::control_text(e2e::job_panel_of(main), IDC_HORIZONTAL_DISTANCE), "100.0");
        }
        cutter.new_commands();
        for (std::size_t press = 0; press < std::max<std::size_t>(c.answers.size(), 1); ++press) {
            PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            if (press < c.answers.size()) {
                EXPECT_EQ(e2e::message_answered(&controller, c.answers[press]), NOT_READY);
            }
        }
        EXPECT_EQ(controller.wait_exit(), 2u);
        EXPECT_EQ(cutter.new_commands(), c.commands);
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "TomboDisX"), "100000");
    }
}

// Both controllers are started as the printing side starts them, with a window of its own as
// owner; the test's thread keeps handling that window's messages while it waits.
TEST(SingleInstance, ASecondControllerSaysAlreadyActiveAndEndsWith100WhileTheFirstIsBusy)
{
    // A top-level window of the test, standing for the printing side's window; its handle goes
    // on the command line as a signed 32-bit decimal number.
    HWND owner = CreateWindowExA(0, "STATIC", "Printing program", WS_OVERLAPPED, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(owner);
    const std::string owner_option = "-OWNER" + std::to_string(static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(owner)));
    e2e::InstallCopy install;
    e2e::VirtualCutter cutter;
    ASSERT_TRUE(cutter.ok() && e2e::add_usb_library(&install));
    // The version query goes unanswered for 25 s; the second controller must not wait for it.
    cutter.set([](CutterModel* m) { m->faults["FG"] = Fault::Silent; });
    e2e::Program first;
    ASSERT_TRUE(first.start(install.controller(), {owner_option}));
    ASSERT_TRUE(e2e::wait_until([&cutter] { return cutter.model().commands.size() >= 4; }, "FG sent"));

    // Whatever its options, and from another install folder too: the mutex is system-wide.
    e2e::InstallCopy other_install;
    e2e::Program second;
    ASSERT_TRUE(second.start(other_install.controller(), {"-CUTMODE", "-DEMO", owner_option}));
    HWND box = second.wait_message_box();
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::window_text(box), e2e::CONTROLLER_TITLE);
    EXPECT_EQ(e2e::message_text(box), "Quillmark Controller is already active.\nPlease shut the controller "
                                      "down and perform the operation once again. [code = 51]");
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
    // The second controller never opened a main window of its own.
    EXPECT_EQ(second.windows(), std::vector<HWND>{box});
    EXPECT_TRUE(e2e::answer(box, IDOK));
    EXPECT_EQ(second.wait_exit(1000), 100u);
    EXPECT_TRUE(first.running());
    first.kill();
    DestroyWindow(owner);
}

}  // namespace
