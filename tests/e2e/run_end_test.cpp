// How the user ends the run: the window's Close (WM_CLOSE, also sent by the system for Alt+F4 and
// by other programs), Enter and Escape, which the dialog manager turns into IDOK and IDCANCEL; the
// exit code follows cut mode and the settings are saved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"

namespace {

TEST(MainWindowEnd, CloseEnterAndEscapeEndTheRunPerCutModeAndSaveTheSettings)
{
    const struct {
        std::vector<std::string> words;
        UINT message;
        WPARAM key;
        bool ends;
        DWORD exit_code;
    } cases[] = {
        {{"-DEMO"}, WM_CLOSE, 0, true, 0},
        {{"-DEMO", "-CUTMODE"}, WM_CLOSE, 0, true, 1},
        {{"-DEMO"}, WM_KEYDOWN, VK_RETURN, true, 0},
        {{"-DEMO", "-CUTMODE"}, WM_KEYDOWN, VK_ESCAPE, true, 1},
        {{"-DEMO"}, WM_KEYDOWN, VK_ESCAPE, false, 0},
    };
    const std::string settings = e2e::settings_file({"Direction=1"});
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words) + " message " + std::to_string(c.message) +
                     " key " + std::to_string(c.key));
        e2e::InstallCopy install;
        ASSERT_TRUE(install.write_file("QMACTL.INI", settings));
        e2e::Program controller;
        HWND main = e2e::start_controller(&controller, install, c.words);
        ASSERT_TRUE(main);
        EXPECT_TRUE(PostMessageA(main, c.message, c.key, 0));
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

}  // namespace
