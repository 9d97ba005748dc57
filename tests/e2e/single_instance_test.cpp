// Only one controller runs at a time: a second one says so and ends with 100, and the first one
// goes on.
#include <gtest/gtest.h>

#include "cutter_link.h"
#include "harness.h"

namespace {

TEST(SingleInstance, SecondControllerShowsAlreadyActiveAndEndsWith100)
{
    e2e::InstallCopy install;
    e2e::Program first;
    HWND main = e2e::start_controller(&first, install, {"-DEMO"});
    ASSERT_TRUE(main);

    // Whatever its options, and from another install folder too: the mutex is system-wide.
    e2e::InstallCopy other_install;
    e2e::Program second;
    ASSERT_TRUE(second.start(other_install.controller(), {"-CUTMODE", "-DEMO"}));
    HWND box = second.wait_message_box();
    ASSERT_TRUE(box);
    const e2e::MessageBoxContent message = e2e::read_message_box(box);
    EXPECT_EQ(message.caption, e2e::CONTROLLER_TITLE);
    EXPECT_EQ(message.text, "Quillmark Controller is already active.\nPlease shut the controller down and "
                            "perform the operation once again. [code = 51]");
    EXPECT_EQ(message.icon, e2e::BoxIcon::Exclamation);
    EXPECT_EQ(message.buttons, std::vector<int>{IDOK});
    // The second controller never opened a main window of its own.
    EXPECT_EQ(second.windows(), std::vector<HWND>{box}) << second.describe_windows();
    EXPECT_TRUE(e2e::answer(box, IDOK));
    EXPECT_EQ(second.wait_exit(), 100u);

    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindowVisible(main));
    e2e::close_and_expect_exit(&first, main, 0);
}

}  // namespace
