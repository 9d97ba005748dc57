// The button pad and keyboard jogging with real input (SendInput, which the controller's input
// filters see), against the virtual cutter: the blade-move bytes, the test-cut question, the
// "Use Keyboard" box and the keys' looks on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;
using e2e::VirtualCutter;

const std::string START = std::string("\x1B\x00", 2);
std::string move(char bits) { return START + bits; }
const std::string STOP = move('\0');

// The pad's keys on screen, worked out as the controller lays them out: the dialog units of the
// job panel's template, converted with the base units that its "Use Keyboard" box shows.
struct PadOnScreen {
    POINT up, down, left, right, test_cut, set_origin, empty;  // centres; empty: no key, no control
};

int units_to_pixels(int units, int base, int per) { return MulDiv(units, base, per); }

bool find_pad(HWND panel, PadOnScreen* pad)
{
    RECT box;
    GetWindowRect(GetDlgItem(panel, IDC_USE_KEYBOARD), &box);
    POINT origin = {0, 0};
    ClientToScreen(panel, &origin);
    const int left = box.left - origin.x, top = box.top - origin.y;
    int bx = 0, by = 0;
    for (int b = 1; b < 64; ++b) {  // the box is at 218,213 and 87 x 14 dialog units
        if (units_to_pixels(218, b, 4) == left && units_to_pixels(87, b, 4) == box.right - box.left) bx = b;
        if (units_to_pixels(213, b, 8) == top && units_to_pixels(14, b, 8) == box.bottom - box.top) by = b;
    }
    if (bx == 0 || by == 0) return false;
    const int cx = units_to_pixels(261, bx, 4), cy = units_to_pixels(169, by, 8);
    const int arm = units_to_pixels(2, bx, 4) + 32;  // centre to an arrow's centre
    auto at = [&](int x, int y) { return POINT{origin.x + x, origin.y + y}; };
    pad->up = at(cx, cy - arm);
    pad->down = at(cx, cy + arm);
    pad->left = at(cx - arm, cy);
    pad->right = at(cx + arm, cy);
    pad->test_cut = at(units_to_pixels(280, bx, 4), units_to_pixels(82, by, 8));
    pad->set_origin = at(units_to_pixels(53, bx, 4), units_to_pixels(204, by, 8));
    pad->empty = at(units_to_pixels(260, bx, 4), units_to_pixels(120, by, 8));
    return true;
}

void send(INPUT input)
{
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
}

void key(WORD virtual_key, bool up) { e2e::send_key(virtual_key, up); }

void pointer_to(POINT p)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(p.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(p.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    send(input);
}

void button(bool up)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    send(input);
}

void click_at(POINT p)
{
    pointer_to(p);
    button(false);
    button(true);
}

bool use_keyboard_checked(HWND panel)
{
    return SendMessageA(GetDlgItem(panel, IDC_USE_KEYBOARD), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The pixels of the 24 x 24 middle of a key on screen: a pressed key looks different.
std::vector<COLORREF> key_look(POINT centre)
{
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = -12; y < 12; ++y)
        for (int x = -12; x < 12; ++x) pixels.push_back(GetPixel(screen, centre.x + x, centre.y + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The key's look once the screen has stopped changing: the window system shows what a program
// drew a moment later, and a busy machine may still be showing the panel's first paint.
std::vector<COLORREF> settled_key_look(POINT centre)
{
    std::vector<COLORREF> look = key_look(centre);
    for (int same = 0, tries = 0; same < 5 && tries < 100; ++tries) {
        Sleep(100);
        std::vector<COLORREF> now = key_look(centre);
        same = now == look ? same + 1 : 0;
        look = std::move(now);
    }
    return look;
}

// A window of the test's own, to take the activation away from the controller.
HWND other_window()
{
    return CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 120, 40,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

struct Started {
    InstallCopy install;
    VirtualCutter cutter;
    Program controller;
    HWND main = nullptr;
    HWND panel = nullptr;
    PadOnScreen pad{};
    std::size_t seen = 0;  // commands looked at so far

    void start(const std::vector<std::string>& settings = {})
    {
        ASSERT_TRUE(install.ok() && cutter.ok());
        ASSERT_TRUE(e2e::add_usb_library(&install));
        if (!settings.empty()) {
            ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file(settings)));
        }
        main = e2e::start_controller(&controller, install);
        ASSERT_TRUE(main);
        panel = e2e::job_panel_of(main);
        ASSERT_TRUE(find_pad(panel, &pad)) << "the job panel's layout is not the template's";
        SetForegroundWindow(main);
        ASSERT_TRUE(e2e::wait_until([&] { return GetForegroundWindow() == main; }, "the controller in front"));
        seen = cutter.commands().size();
    }
    // The commands since the last call, once there are at least `count` of them.
    std::vector<std::string> next_commands(std::size_t count)
    {
        e2e::wait_until([&] { return cutter.commands().size() >= seen + count; },
                        std::to_string(count) + " more commands");
        const std::vector<std::string> all = cutter.commands();
        std::vector<std::string> fresh(all.begin() + static_cast<long>(seen), all.end());
        seen = all.size();
        return fresh;
    }
    void keyboard_jogging_on()
    {
        RECT box;
        GetWindowRect(GetDlgItem(panel, IDC_USE_KEYBOARD), &box);
        click_at(POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
        ASSERT_TRUE(e2e::wait_until([&] { return use_keyboard_checked(panel); }, "Use Keyboard checked"));
    }
};

TEST(BladePositioning, KeyboardJoggingSendsOneStartAndOneStopPerDirectionChange)
{
    Started s;
    ASSERT_NO_FATAL_FAILURE(s.start());
    ASSERT_NO_FATAL_FAILURE(s.keyboard_jogging_on());

    {
        SCOPED_TRACE("held up arrow with auto-repeat");
        for (int repeat = 0; repeat < 6; ++repeat) key(VK_UP, false);
        key(VK_UP, true);
        EXPECT_EQ(s.next_commands(2), (std::vector<std::string>{move(0x02), STOP}));
    }
    {
        SCOPED_TRACE("up, then left as well; up released, then left");
        key(VK_UP, false);
        key(VK_LEFT, false);
        key(VK_UP, true);
        key(VK_LEFT, true);
        EXPECT_EQ(s.next_commands(4), (std::vector<std::string>{move(0x02), move(0x0A), move(0x08), STOP}));
    }
    {
        SCOPED_TRACE("the mouse does nothing while a key jog runs");
        key(VK_DOWN, false);
        EXPECT_EQ(s.next_commands(1), std::vector<std::string>{move(0x01)});
        click_at(s.pad.up);
        key(VK_DOWN, true);
        EXPECT_EQ(s.next_commands(1), std::vector<std::string>{STOP});
        EXPECT_TRUE(use_keyboard_checked(s.panel));
    }
    {
        SCOPED_TRACE("time from a key going down to the blade-move command at the cutter");
        std::vector<double> ms;
        for (int run = 0; run < 20; ++run) {
            const auto pressed = std::chrono::steady_clock::now();
            key(VK_RIGHT, false);
            for (int waited = 0; s.cutter.model().commands.size() <= s.seen && waited < 5000; ++waited) {
                Sleep(1);
            }
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed).count());
            key(VK_RIGHT, true);
            ASSERT_EQ(s.next_commands(2), (std::vector<std::string>{move(0x04), STOP}));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("key down to blade-move command at the virtual cutter, median of 20: %.2f ms "
                    "(fastest %.2f, slowest %.2f)\n", ms[10], ms[0], ms[19]);
        // A jog starts at once: no time-out or wait lies on the way, even on a busy machine.
        EXPECT_LT(ms[10], 250.0);
    }
    {
        SCOPED_TRACE("keys do nothing while the button is held; the click switches keyboard jogging off");
        pointer_to(s.pad.empty);
        button(false);
        key(VK_UP, false);
        key(VK_UP, true);
        button(true);
        EXPECT_TRUE(e2e::wait_until([&] { return !use_keyboard_checked(s.panel); }, "Use Keyboard unchecked"));
        key(VK_UP, false);  // keyboard jogging is off: the key goes to the dialog
        key(VK_UP, true);
        s.keyboard_jogging_on();
        key(VK_LEFT, false);
        key(VK_LEFT, true);
        EXPECT_EQ(s.next_commands(2), (std::vector<std::string>{move(0x08), STOP}));
    }
    {
        SCOPED_TRACE("switching to another program stops a running jog");
        key(VK_LEFT, false);
        EXPECT_EQ(s.next_commands(1), std::vector<std::string>{move(0x08)});
        HWND other = other_window();
        SetForegroundWindow(other);
        EXPECT_EQ(s.next_commands(1), std::vector<std::string>{STOP});
        EXPECT_TRUE(e2e::wait_until([&] { return !use_keyboard_checked(s.panel); }, "Use Keyboard unchecked"));
        key(VK_LEFT, true);
        DestroyWindow(other);
    }
    e2e::close_and_expect_exit(&s.controller, s.main, 0);
}

TEST(BladePositioning, MouseJoggingTestCutAndAFailedMove)
{
    Started s;
    // Test cut is offered only while the adjusted settings are in use.
    ASSERT_NO_FATAL_FAILURE(s.start({"CutCondAdjust=1"}));
    // Repainted by the controller's own thread: a repaint forced from here (RDW_UPDATENOW) can
    // meet the one the controller makes itself and leave the panel erased without its keys.
    InvalidateRect(s.panel, nullptr, TRUE);
    const std::vector<COLORREF> up_unpressed = settled_key_look(s.pad.up);

    {
        SCOPED_TRACE("a press on an arrow moves until the release, wherever the pointer went");
        pointer_to(s.pad.up);
        button(false);
        EXPECT_EQ(s.next_commands(1), std::vector<std::string>{move(0x02)});
        EXPECT_TRUE(e2e::wait_until([&] { return key_look(s.pad.up) != up_unpressed; },
                                    "the up arrow drawn pressed"));
        pointer_to(s.pad.empty);
        pointer_to(POINT{s.pad.set_origin.x - 200, s.pad.set_origin.y});
        button(true);
        EXPECT_EQ(s.next_commands(1), std::vector<std::string>{STOP});
        EXPECT_TRUE(e2e::wait_until([&] { return key_look(s.pad.up) == up_unpressed; },
                                    "the up arrow drawn unpressed"));
    }
    {
        SCOPED_TRACE("test cut: pressed, moved off and released asks nothing; a click asks, only OK cuts");
        pointer_to(s.pad.test_cut);
        button(false);
        pointer_to(s.pad.empty);
        button(true);
        for (int id : {IDCANCEL, IDOK}) {
            SetForegroundWindow(s.main);
            click_at(s.pad.test_cut);
            HWND box = s.controller.wait_message_box();
            ASSERT_TRUE(box);
            EXPECT_EQ(e2e::read_message_box(box).text,
                      "Quillmark will now make a small cutting test at the current cutter position.\nProceed?");
            ASSERT_TRUE(e2e::answer(box, id));
        }
        EXPECT_EQ(s.next_commands(1), std::vector<std::string>{"FH\x03"});
        SetForegroundWindow(s.main);
    }
    {
        SCOPED_TRACE("a failed move shows 159 and leaves the arrows unpressed");
        s.cutter.set([](CutterModel* m) { m->refuse_transfers = true; });
        click_at(s.pad.up);
        HWND box = s.controller.wait_message_box();
        ASSERT_TRUE(box);
        EXPECT_NE(e2e::read_message_box(box).text.find("[code = 159]"), std::string::npos);
        ASSERT_TRUE(e2e::answer(box, IDOK));
        s.cutter.set([](CutterModel* m) { m->refuse_transfers = false; });
        InvalidateRect(s.panel, nullptr, TRUE);
        EXPECT_TRUE(e2e::wait_until([&] { return key_look(s.pad.up) == up_unpressed; },
                                    "the up arrow drawn unpressed"));
        SetForegroundWindow(s.main);
        // No direction is left over from the failed move; a quick second click (a double click
        // for the system) moves the blade once more.
        click_at(s.pad.down);
        button(false);
        button(true);
        EXPECT_EQ(s.next_commands(4), (std::vector<std::string>{move(0x01), STOP, move(0x01), STOP}));
    }
    e2e::close_and_expect_exit(&s.controller, s.main, 0);
}

}  // namespace
