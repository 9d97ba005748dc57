// The calibration dialog against the virtual cutter: what it shows on opening, which bar moves
// reach the cutter, a refused change, the reading test and the feed correction applied on Close;
// where the dialog and the message boxes over it open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using Commands = std::vector<std::string>;

TEST(Calibration, SensorBarsReadingTestAndFeedCorrectionReachTheCutterAsTheUserMeantThem)
{
    e2e::InstallCopy install;
    e2e::VirtualCutter cutter;
    ASSERT_TRUE(install.ok() && cutter.ok() && e2e::add_usb_library(&install));
    cutter.set([](CutterModel* m) { m->state.feed = 125; });  // +1.25 % stored in the cutter
    e2e::Program controller;
    HWND main = e2e::start_controller(&controller, install, {"-CUTMODE"});  // the guide shown
    ASSERT_TRUE(main);
    HWND panel = e2e::job_panel_of(main);
    cutter.new_commands();
    // Message boxes open centred over the main window's full-size rectangle, here with the guide
    // hidden (a shorter main window) and the window moved off the screen's centre, where the
    // system itself puts message boxes.
    RECT full;
    GetWindowRect(main, &full);
    ASSERT_TRUE(e2e::click(main, IDC_GUIDE_TOGGLE));
    SetWindowPos(main, nullptr, 8, 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(e2e::wait_until([&] { RECT r; return GetWindowRect(main, &r) && r.left == 8; }, "the window moved"));
    auto expect_centred = [&](HWND box) {
        RECT now, at;
        GetWindowRect(main, &now);
        GetWindowRect(box, &at);
        EXPECT_LT(now.bottom - now.top, full.bottom - full.top);
        EXPECT_EQ(at.left, now.left + (full.right - full.left - (at.right - at.left)) / 2);
        EXPECT_EQ(at.top, now.top + (full.bottom - full.top - (at.bottom - at.top)) / 2);
    };
    // "Calibration..." answered with OK: the dialog.
    auto open = [&] {
        EXPECT_TRUE(e2e::click(panel, IDC_CALIBRATION_BUTTON));
        HWND question = controller.wait_message_box();
        expect_centred(question);
        e2e::answer(question, IDOK);
        return controller.wait_dialog("Calibration");
    };
    HWND dialog = open();
    ASSERT_TRUE(dialog);
    // The dialog itself stays where its template puts it: 60,40 dialog units (its client area
    // being 262x170 of them) from the main window's top-left corner (Wine) or client area.
    RECT client, at, owner;
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &at);
    GetWindowRect(main, &owner);
    POINT origin = {0, 0};
    ClientToScreen(main, &origin);
    auto from = [&](LONG x, LONG y) {
        return std::abs(at.left - x - 60 * client.right / 262) <= 1 && std::abs(at.top - y - 40 * client.bottom / 170) <= 1;
    };
    EXPECT_TRUE(from(owner.left, owner.top) || from(origin.x, origin.y)) << at.left << "," << at.top;
    auto scroll = [&](UINT message, int code, int position) {
        SendMessageA(dialog, message, MAKEWPARAM(code, position), 0);
    };
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_X_VALUE), "X:0");
    EXPECT_EQ(e2e::control_text(dialog, IDC_FEED_CORRECTION), "1.25");

    // X to its end; a line further sends nothing. Dragging Y only shows; dropping sends.
    scroll(WM_VSCROLL, SB_THUMBPOSITION, 80);
    scroll(WM_VSCROLL, SB_LINEDOWN, 0);
    scroll(WM_HSCROLL, SB_THUMBTRACK, 70);
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_Y_VALUE), "Y:30");
    scroll(WM_HSCROLL, SB_THUMBPOSITION, 70);
    EXPECT_EQ(cutter.new_commands(2), (Commands{"TB72,40,0\x03", "TB72,40,30\x03"}));

    // A refused change shows its code and puts the bar back.
    cutter.set([](CutterModel* m) { m->refuse_transfers = true; });
    PostMessageA(dialog, WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    HWND refused = controller.wait_message_box();
    ASSERT_TRUE(refused);
    expect_centred(refused);
    EXPECT_NE(e2e::message_text(refused).find("[code = 160]"), std::string::npos);
    cutter.set([](CutterModel* m) { m->refuse_transfers = false; });
    EXPECT_TRUE(e2e::answer(refused, IDOK));
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_Y_VALUE), "Y:30");
    EXPECT_EQ(GetScrollPos(GetDlgItem(dialog, IDC_SENSOR_Y_BAR), SB_CTL), 70);

    // The reading test runs only after OK on its question.
    for (int choice : {IDCANCEL, IDOK}) {
        ASSERT_TRUE(e2e::click(dialog, IDC_SENSOR_READ_TEST));
        e2e::message_answered(&controller, choice);
    }
    EXPECT_EQ(cutter.new_commands(1), Commands{"TB70\x03"});

    // An entry outside -2.00..+2.00 keeps the dialog open with the whole entry selected.
    SetDlgItemTextA(dialog, IDC_FEED_CORRECTION, "2.004");
    ASSERT_TRUE(e2e::click(dialog, IDOK));
    EXPECT_NE(e2e::message_answered(&controller).find("[code = 209]"), std::string::npos);
    const DWORD selection = static_cast<DWORD>(SendDlgItemMessageA(dialog, IDC_FEED_CORRECTION, EM_GETSEL, 0, 0));
    EXPECT_EQ(selection, MAKELONG(0, 5));
    // An accepted one closes the dialog, sends whole hundredths and is shown when opened again.
    SetDlgItemTextA(dialog, IDC_FEED_CORRECTION, "-1.257");
    ASSERT_TRUE(e2e::click(dialog, IDOK));
    EXPECT_TRUE(e2e::wait_until([&] { return !IsWindow(dialog); }, "the dialog to close"));
    EXPECT_EQ(cutter.new_commands(1), Commands{"FB-125,0\x03"});
    dialog = open();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(e2e::control_text(dialog, IDC_FEED_CORRECTION), "-1.25");
    EXPECT_EQ(e2e::control_text(dialog, IDC_SENSOR_Y_VALUE), "Y:30");

    // The dialog's own "Use Keyboard" jogs with the arrow keys; another program in front stops
    // the jog and unchecks the box.
    SetForegroundWindow(dialog);
    ASSERT_TRUE(e2e::click(dialog, IDC_CALIBRATION_USE_KEYBOARD));
    HWND box = GetDlgItem(dialog, IDC_CALIBRATION_USE_KEYBOARD);
    ASSERT_TRUE(e2e::wait_until([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, "the box checked"));
    e2e::send_key(VK_RIGHT, false);
    EXPECT_EQ(cutter.new_commands(1), Commands{std::string("\x1B\x00\x04", 3)});
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 120, 40,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    EXPECT_EQ(cutter.new_commands(1), Commands{std::string("\x1B\x00\x00", 3)});
    EXPECT_TRUE(e2e::wait_until([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, "the box unchecked"));
    e2e::send_key(VK_RIGHT, true);
    DestroyWindow(other);
    // Closed with keyboard jogging on, the dialog ends it: back in the main window an arrow key
    // moves nothing.
    SetForegroundWindow(dialog);
    ASSERT_TRUE(e2e::click(dialog, IDC_CALIBRATION_USE_KEYBOARD));
    ASSERT_TRUE(e2e::wait_until([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, "the box checked"));
    ASSERT_TRUE(e2e::click(dialog, IDOK));
    ASSERT_TRUE(e2e::wait_until([&] { return !IsWindow(dialog) && GetForegroundWindow() == main; }, "the main window in front"));
    EXPECT_EQ(cutter.new_commands(1), Commands{"FB-125,0\x03"});
    e2e::send_key(VK_RIGHT, false);
    e2e::send_key(VK_RIGHT, true);
    Sleep(300);
    EXPECT_EQ(cutter.new_commands(), Commands{});
    e2e::close_and_expect_exit(&controller, main, 1);  // a run in cut mode
}

}  // namespace
