// Only one controller runs at a time: a second one says so and ends with 100 at once, even while
// the first is blocked in a cutter command, and the first one goes on. Both are started as the
// printing side starts them, with a window of its own as owner; the test's thread keeps handling
// that window's messages while it waits (every harness wait does).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"

namespace {

// A top-level window of the test, standing for the printing side's window.
struct OwnerWindow {
    HWND handle = CreateWindowExA(0, "STATIC", "Printing program", WS_OVERLAPPED, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ~OwnerWindow() { DestroyWindow(handle); }
    // The handle as a signed 32-bit decimal number, as the printing side writes it.
    std::string option() const
    {
        return "-OWNER" + std::to_string(static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(handle)));
    }
};

TEST(SingleInstance, SecondControllerShowsAlreadyActiveAndEndsWith100AtOnce)
{
    const struct {
        const char* what;
        bool first_held;  // else idle in demo mode
    } cases[] = {
        {"the first controller idle", false},
        // 25 s before the version query gives up; bringing the first forward must not wait.
        {"the first controller held in a silent version query", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OwnerWindow owner;
        ASSERT_TRUE(owner.handle);
        e2e::InstallCopy install;
        e2e::VirtualCutter cutter;
        ASSERT_TRUE(cutter.ok());
        e2e::Program first;
        HWND main = nullptr;
        if (c.first_held) {
            cutter.set([](CutterModel* m) { m->faults["FG"] = Fault::Silent; });
            ASSERT_TRUE(e2e::add_usb_library(&install));
            ASSERT_TRUE(first.start(install.controller(), {owner.option()}));
            ASSERT_TRUE(e2e::wait_until([&cutter] { return cutter.model().commands.size() >= 4; },
                                        "the first controller to send FG"));
            EXPECT_EQ(cutter.commands().back(), "FG\x03");
        } else {
            main = e2e::start_controller(&first, install, {"-DEMO", owner.option()});
            ASSERT_TRUE(main);
            EXPECT_EQ(GetWindow(main, GW_OWNER), owner.handle);
        }
        // The first controller's modal main window keeps the printing side's window disabled.
        EXPECT_FALSE(IsWindowEnabled(owner.handle));

        // Whatever its options, and from another install folder too: the mutex is system-wide.
        e2e::InstallCopy other_install;
        e2e::Program second;
        ASSERT_TRUE(second.start(other_install.controller(), {"-CUTMODE", "-DEMO", owner.option()}));
        HWND box = second.wait_message_box();
        ASSERT_TRUE(box);
        const e2e::MessageBoxContent message = e2e::read_message_box(box);
        EXPECT_EQ(message.caption, e2e::CONTROLLER_TITLE);
        EXPECT_EQ(message.text, "Quillmark Controller is already active.\nPlease shut the controller down and "
                                "perform the operation once again. [code = 51]");
        EXPECT_EQ(message.icon, e2e::BoxIcon::Exclamation);
        EXPECT_EQ(message.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner.handle);
        // The second controller never opened a main window of its own.
        EXPECT_EQ(second.windows(), std::vector<HWND>{box}) << second.describe_windows();
        EXPECT_TRUE(e2e::answer(box, IDOK));
        const DWORD answered = GetTickCount();
        EXPECT_EQ(second.wait_exit(), 100u);
        const DWORD exit_ms = GetTickCount() - answered;
        EXPECT_LT(exit_ms, 1000u);
        std::printf("[ %s ] the second controller ended %lu ms after OK\n", c.what,
                    static_cast<unsigned long>(exit_ms));

        EXPECT_TRUE(first.running());
        if (c.first_held) {
            first.kill();
            continue;
        }
        EXPECT_TRUE(IsWindowVisible(main));
        e2e::close_and_expect_exit(&first, main, 0);
        // Its end gives the printing side its window back.
        EXPECT_TRUE(IsWindowEnabled(owner.handle));
    }
}

}  // namespace
