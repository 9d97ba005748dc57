// Only one controller runs at a time: a second one says so and ends with 100, and the first one
// goes on.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using e2e::BoxIcon;
using e2e::InstallCopy;
using e2e::Program;

TEST(SingleInstance, SecondControllerShowsAlreadyActiveAndEndsWith100)
{
    InstallCopy install;
    ASSERT_TRUE(install.ok());
    Program first;
    ASSERT_TRUE(first.start(install.controller(), {"-DEMO"}));
    HWND main = first.wait_main_window();
    ASSERT_TRUE(main);

    // Whatever its options, and from another install folder too: the mutex is system-wide.
    InstallCopy other_install;
    ASSERT_TRUE(other_install.ok());
    Program second;
    ASSERT_TRUE(second.start(other_install.controller(), {"-CUTMODE", "-DEMO"}));
    HWND box = second.wait_message_box();
    ASSERT_TRUE(box);
    const e2e::MessageBoxContent message = e2e::read_message_box(box);
    EXPECT_EQ(message.caption, "Quillmark Controller");
    EXPECT_EQ(message.text,
              "Quillmark Controller is already active.\nPlease shut the controller down and "
              "perform the operation once again. [code = 51]");
    EXPECT_EQ(message.icon, BoxIcon::Exclamation);
    ASSERT_EQ(message.buttons.size(), 1u);
    EXPECT_EQ(message.buttons[0].id, IDOK);
    // The second controller never opened a main window of its own.
    EXPECT_EQ(second.windows().size(), 1u) << second.describe_windows();

    EXPECT_TRUE(e2e::answer(box, IDOK));
    EXPECT_EQ(second.wait_exit(), 100u);

    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(e2e::close_window(main));
    EXPECT_EQ(first.wait_exit(), 0u);
}

}  // namespace
