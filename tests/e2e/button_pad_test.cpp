// The button pad and keyboard jogging with real input (SendInput, which the controller's input
// filters see), against the virtual cutter: the blade-move bytes, the test-cut question and the
// "Use Keyboard" box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

const std::string START = std::string("\x1B\x00", 2);
std::string move(char bits) { return START + bits; }
const std::string STOP = move('\0');

// The pad's keys on screen, worked out as the controller lays them out: the dialog units of the
// job panel's template, converted with the base units that its "Use Keyboard" box shows.
struct PadOnScreen {
    POINT up, down, test_cut, set_origin, empty, use_keyboard;  // centres; empty: no key, no control
};

bool find_pad(HWND panel, PadOnScreen* pad)
{
    RECT box;
    GetWindowRect(GetDlgItem(panel, IDC_USE_KEYBOARD), &box);
    POINT origin = {0, 0};
    ClientToScreen(panel, &origin);
    int bx = 0, by = 0;
    for (int b = 1; b < 64; ++b) {  // the box is at 218,213 dialog units
        bx = MulDiv(218, b, 4) == box.left - origin.x ? b : bx;
        by = MulDiv(213, b, 8) == box.top - origin.y ? b : by;
    }
    auto at = [&](int x, int y, int dy = 0) {
        return POINT{origin.x + MulDiv(x, bx, 4), origin.y + MulDiv(y, by, 8) + dy};
    };
    const int arm = MulDiv(2, bx, 4) + 32;  // centre to an arrow's centre, in pixels
    *pad = {at(261, 169, -arm), at(261, 169, arm), at(280, 82), at(53, 204), at(260, 120), at(261, 220)};
    return bx != 0 && by != 0;
}

// The pointer moved to p, or the left button going down or up.
void mouse(DWORD flags, POINT p = {})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(p.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(p.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags == MOUSEEVENTF_MOVE ? flags | MOUSEEVENTF_ABSOLUTE : flags;
    EXPECT_EQ(SendInput(1, &input, sizeof input), 1u);
}
void pointer_to(POINT p) { mouse(MOUSEEVENTF_MOVE, p); }
void button(bool up) { mouse(up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN); }

void click_at(POINT p)
{
    pointer_to(p);
    button(false);
    button(true);
}

TEST(BladePositioning, MouseAndKeyboardJoggingTestCutAndAFailedMove)
{
    e2e::InstallCopy install;
    e2e::VirtualCutter cutter;
    ASSERT_TRUE(install.ok() && cutter.ok() && e2e::add_usb_library(&install));
    // Test cut is offered only while the adjusted settings are in use.
    ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({"CutCondAdjust=1"})));
    e2e::Program controller;
    HWND main = e2e::start_controller(&controller, install);
    ASSERT_TRUE(main);
    HWND panel = e2e::job_panel_of(main);
    PadOnScreen pad{};
    ASSERT_TRUE(find_pad(panel, &pad)) << "the job panel's layout is not the template's";
    SetForegroundWindow(main);
    ASSERT_TRUE(e2e::wait_until([&] { return GetForegroundWindow() == main; }, "the controller in front"));
    cutter.new_commands();

    {
        SCOPED_TRACE("a press on an arrow moves until the release, wherever the pointer went");
        pointer_to(pad.up);
        button(false);
        EXPECT_EQ(cutter.new_commands(1), std::vector<std::string>{move(0x02)});
        pointer_to(POINT{pad.set_origin.x - 200, pad.set_origin.y});
        button(true);
        EXPECT_EQ(cutter.new_commands(1), std::vector<std::string>{STOP});
    }
    {
        SCOPED_TRACE("test cut: pressed, moved off and released asks nothing; a click asks, only OK cuts");
        pointer_to(pad.test_cut);
        button(false);
        pointer_to(pad.empty);
        button(true);
        for (int id : {IDCANCEL, IDOK}) {
            SetForegroundWindow(main);
            click_at(pad.test_cut);
            EXPECT_EQ(e2e::message_answered(&controller, id),
                      "Quillmark will now make a small cutting test at the current cutter position.\nProceed?");
        }
        EXPECT_EQ(cutter.new_commands(1), std::vector<std::string>{"FH\x03"});
        SetForegroundWindow(main);
    }
    {
        SCOPED_TRACE("a failed move shows 159 and leaves no arrow pressed");
        cutter.set([](CutterModel* m) { m->refuse_transfers = true; });
        click_at(pad.up);
        EXPECT_NE(e2e::message_answered(&controller).find("[code = 159]"), std::string::npos);
        cutter.set([](CutterModel* m) { m->refuse_transfers = false; });
        SetForegroundWindow(main);
        // No direction is left over from the failed move; a quick second click (a double click
        // for the system) moves the blade once more.
        click_at(pad.down);
        button(false);
        button(true);
        EXPECT_EQ(cutter.new_commands(4), (std::vector<std::string>{move(0x01), STOP, move(0x01), STOP}));
    }
    {
        SCOPED_TRACE("with Use Keyboard an arrow key jogs; another program in front ends the jog and the mode");
        // The click must reach the controller while it is in front: leaving it unchecks the box.
        ASSERT_TRUE(e2e::wait_until([&] { return GetForegroundWindow() == main; }, "the controller in front"));
        click_at(pad.use_keyboard);
        ASSERT_TRUE(e2e::wait_until([&] { return IsDlgButtonChecked(panel, IDC_USE_KEYBOARD) == BST_CHECKED; },
                                    "Use Keyboard checked"));
        // Held with auto-repeat, then left as well: one start per change of the direction set.
        for (int repeat = 0; repeat < 3; ++repeat) e2e::send_key(VK_UP, false);
        e2e::send_key(VK_LEFT, false);
        e2e::send_key(VK_UP, true);
        e2e::send_key(VK_LEFT, true);
        EXPECT_EQ(cutter.new_commands(4), (std::vector<std::string>{move(0x02), move(0x0A), move(0x08), STOP}));
        e2e::send_key(VK_LEFT, false);
        EXPECT_EQ(cutter.new_commands(1), std::vector<std::string>{move(0x08)});
        HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 120, 40,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(other);
        EXPECT_EQ(cutter.new_commands(1), std::vector<std::string>{STOP});
        EXPECT_TRUE(e2e::wait_until([&] { return IsDlgButtonChecked(panel, IDC_USE_KEYBOARD) == BST_UNCHECKED; },
                                    "Use Keyboard unchecked"));
        e2e::send_key(VK_LEFT, true);
        DestroyWindow(other);
    }
    e2e::close_and_expect_exit(&controller, main, 0);
}

}  // namespace
