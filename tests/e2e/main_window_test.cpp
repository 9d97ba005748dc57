// The controller's main window as the starting program sees it: its title, and the exit code
// that closing it gives.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;

struct CloseCase {
    std::vector<std::string> words;
    DWORD exit_code;
};

TEST(MainWindow, ClosingTheWindowEndsWithZeroOrOneInCutMode)
{
    const CloseCase cases[] = {
        {{"-DEMO"}, 0},
        {{"-DEMO", "-CUTMODE"}, 1},
        {{"/cutmode", "-DEMO_V1"}, 1},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words));
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);
        EXPECT_EQ(e2e::window_text(main), "Quillmark Controller");
        EXPECT_TRUE(e2e::close_window(main));
        EXPECT_EQ(controller.wait_exit(), c.exit_code);
    }
}

}  // namespace
