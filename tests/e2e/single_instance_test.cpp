// Only one controller runs at a time: a second one says so and ends with 100 at once, even while
// the first is blocked in a cutter command, and the first one goes on. Both are started as the
// printing side starts them, with a window of its own as owner; the test's thread keeps handling
// that window's messages while it waits (every harness wait does).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"

namespace {

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
    EXPECT_EQ(second.windows(), std::vector<HWND>{box}) << second.describe_windows();
    EXPECT_TRUE(e2e::answer(box, IDOK));
    EXPECT_EQ(second.wait_exit(1000), 100u);
    EXPECT_TRUE(first.running());
    first.kill();
    DestroyWindow(owner);
}

}  // namespace
