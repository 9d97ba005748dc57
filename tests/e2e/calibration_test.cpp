// The calibration dialog against the virtual cutter: what it shows on opening, which bar moves
// reach the cutter, a refused change, the reading test and the feed correction applied on Close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;
using e2e::VirtualCutter;

struct Calibrating {
    InstallCopy install;
    VirtualCutter cutter;
    Program controller;
    HWND main = nullptr;
    HWND panel = nullptr;
    std::size_t seen = 0;  // commands the cutter had received when last asked
};

// Commands the cutter received since the last call.
std::vector<std::string> new_commands(Calibrating* c)
{
    const std::vector<std::string> all = c->cutter.commands();
    std::vector<std::string> fresh(all.begin() + static_cast<long>(c->seen), all.end());
    c->seen = all.size();
    return fresh;
}

// "Calibration..." answered with OK: the dialog.
HWND open_calibration(Calibrating* c)
{
    EXPECT_TRUE(e2e::click(c->panel, IDC_CALIBRATION_BUTTON));
    HWND question = c->controller.wait_message_box();
    EXPECT_EQ(e2e::read_message_box(question).icon, e2e::BoxIcon::Information);
    EXPECT_TRUE(e2e::answer(question, IDOK));
    return c->controller.wait_dialog("Calibration");
}

// A bar message handled before this returns (none of these opens a message box).
void scroll(HWND dialog, UINT message, int code, int position = 0)
{
    SendMessageA(dialog, message, MAKEWPARAM(code, position), 0);
}

int bar_position(HWND dialog, int bar)
{
    return GetScrollPos(GetDlgItem(dialog, bar), SB_CTL);
}

// Types `entry` and presses Close; 209 must come with the whole entry selected.
void expect_entry_refused(Calibrating* c, HWND dialog, const char* entry)
{
    SetDlgItemTextA(dialog, IDC_FEED_CORRECTION, entry);
    ASSERT_TRUE(e2e::click(dialog, IDOK));
    HWND box = c->controller.wait_message_box();
    ASSERT_TRUE(box) << '"' << entry << '"';
    EXPECT_NE(e2e::read_message_box(box).text.find("[code = 209]"), std::string::npos) << entry;
    EXPECT_TRUE(e2e::answer(box, IDOK));
    const DWORD selection = static_cast<DWORD>(
        SendDlgItemMessageA(dialog, IDC_FEED_CORRECTION, EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(selection), 0) << entry;
    EXPECT_EQ(HIWORD(selection), std::string(entry).size()) << entry;
}

TEST(Calibration, SensorBarsFeedCorrectionAndReadingTestReachTheCutterAsTheUserMeantThem)
{
    Calibrating c;
    ASSERT_TRUE(c.install.ok() && c.cutter.ok());
    ASSERT_TRUE(e2e::add_usb_library(&c.install));
    c.cutter.set([](CutterModel* m) { m->state.feed = 125; });  // +1.25 % stored in the cutter
    c.main = e2e::start_controller(&c.controller, c.install);
    ASSERT_TRUE(c.main);
    c.panel = e2e::job_panel_of(c.main);
    new_commands(&c);

    HWND dialog = open_calibration(&c);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_X_VALUE), "X:0");
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_Y_VALUE), "Y:0");
    EXPECT_EQ(bar_position(dialog, IDC_SENSOR_X_BAR), 40);
    EXPECT_EQ(bar_position(dialog, IDC_SENSOR_Y_BAR), 40);
    EXPECT_EQ(e2e::control_text(dialog, IDC_FEED_CORRECTION), "1.25");

    // X to its end; a line further sends nothing. From 5 a page reaches 0 and is sent once.
    scroll(dialog, WM_VSCROLL, SB_THUMBPOSITION, 80);
    scroll(dialog, WM_VSCROLL, SB_LINEDOWN);
    scroll(dialog, WM_VSCROLL, SB_THUMBPOSITION, 5);
    scroll(dialog, WM_VSCROLL, SB_PAGEUP);
    scroll(dialog, WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_X_VALUE), "X:-40");
    // Dragging Y only shows; dropping sends, dropping where it is sends nothing.
    scroll(dialog, WM_HSCROLL, SB_THUMBTRACK, 70);
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_Y_VALUE), "Y:30");
    scroll(dialog, WM_HSCROLL, SB_THUMBPOSITION, 70);
    scroll(dialog, WM_HSCROLL, SB_THUMBPOSITION, 70);
    const std::vector<std::string> moved = {"TB72,40,0\x03", "TB72,-35,0\x03", "TB72,-40,0\x03",
                                            "TB72,-40,30\x03"};
    EXPECT_EQ(new_commands(&c), moved);

    // A refused change shows its code and puts the bar back.
    c.cutter.set([](CutterModel* m) { m->refuse_transfers = true; });
    PostMessageA(dialog, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    HWND refused = c.controller.wait_message_box();
    ASSERT_TRUE(refused);
    EXPECT_NE(e2e::read_message_box(refused).text.find("[code = 160]"), std::string::npos);
    c.cutter.set([](CutterModel* m) { m->refuse_transfers = false; });
    EXPECT_TRUE(e2e::answer(refused, IDOK));
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_Y_VALUE), "Y:30");
    EXPECT_EQ(bar_position(dialog, IDC_SENSOR_Y_BAR), 70);

    // The reading test runs only after OK on its question.
    for (int choice : {IDCANCEL, IDOK}) {
        ASSERT_TRUE(e2e::click(dialog, IDC_SENSOR_READ_TEST));
        HWND question = c.controller.wait_message_box();
        ASSERT_TRUE(question);
        EXPECT_TRUE(e2e::answer(question, choice));
    }
    e2e::wait_until([&] { return c.cutter.model().state.sensor_scans == 1; }, "the reading test");
    EXPECT_EQ(new_commands(&c), std::vector<std::string>{"TB70\x03"});

    // The arrow keys jog the blade while "Use Keyboard" is on; leaving the dialog ends it.
    const std::string start_up = std::string("\x1B\x00\x02", 3), stop = std::string("\x1B\x00\x00", 3);
    ASSERT_TRUE(e2e::click(dialog, IDC_CALIBRATION_USE_KEYBOARD));
    ASSERT_TRUE(e2e::wait_until([&] { return IsDlgButtonChecked(dialog, IDC_CALIBRATION_USE_KEYBOARD) == BST_CHECKED; },
                                "Use Keyboard checked"));
    SetForegroundWindow(dialog);
    e2e::send_key(VK_UP, false);
    e2e::send_key(VK_UP, true);
    e2e::wait_until([&] { return c.cutter.commands().size() >= c.seen + 2; }, "a jog");
    EXPECT_EQ(new_commands(&c), (std::vector<std::string>{start_up, stop}));
    e2e::send_key(VK_UP, false);
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 120, 40,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(e2e::wait_until([&] { return IsDlgButtonChecked(dialog, IDC_CALIBRATION_USE_KEYBOARD) == BST_UNCHECKED; },
                                "Use Keyboard unchecked when the dialog lost activation"));
    e2e::send_key(VK_UP, true);
    e2e::wait_until([&] { return c.cutter.commands().size() >= c.seen + 2; }, "the jog stopped");
    EXPECT_EQ(new_commands(&c), (std::vector<std::string>{start_up, stop}));
    DestroyWindow(other);
    SetForegroundWindow(dialog);

    // Entries that are no number or lie outside -2.00..+2.00 keep the dialog open.
    for (const char* entry : {"2.5", "2.004", "", "-", ".", "1,5"}) {
        expect_entry_refused(&c, dialog, entry);
    }
    EXPECT_TRUE(new_commands(&c).empty());

    // Accepted entries close the dialog and send whole hundredths of a percent.
    const struct { const char* entry; const char* sent; } closes[] = {
        {"2", "FB200,0\x03"}, {"-2", "FB-200,0\x03"}, {"1.257", "FB125,0\x03"}};
    for (const auto& close : closes) {
        SetDlgItemTextA(dialog, IDC_FEED_CORRECTION, close.entry);
        ASSERT_TRUE(e2e::click(dialog, IDOK));
        EXPECT_TRUE(e2e::wait_until([&] { return !IsWindow(dialog); }, "the dialog to close"));
        EXPECT_EQ(new_commands(&c), std::vector<std::string>{close.sent}) << close.entry;
        dialog = open_calibration(&c);
        ASSERT_TRUE(dialog);
    }
    // The last accepted value is what the dialog shows when opened again.
    EXPECT_EQ(e2e::control_text(dialog, IDC_FEED_CORRECTION), "1.25");
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_Y_VALUE), "Y:30");
    SetDlgItemTextA(dialog, IDC_FEED_CORRECTION, "0");
    ASSERT_TRUE(e2e::click(dialog, IDOK));
    e2e::close_and_expect_exit(&c.controller, c.main, 0);
}

}  // namespace
