// "Cut..." in cut mode: the marks are read when the job has them and the search is on, the
// cutter is asked whether it is ready, and a confirmed cut saves and ends with 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

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

}  // namespace
